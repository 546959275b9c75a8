// Interfaces of every published business object, its observers and its notifier set.
#pragma once

#include <memory>
#include <string>

#include "OlvarUnified/PropertyNotifier.h"

namespace OlvarUnified {

class OLVAR_API UnifiedBusinessObjectObserver {
public:
    virtual ~UnifiedBusinessObjectObserver() = default;
    virtual void OnInfoChanged() = 0;
    virtual void OnGuidChanged() = 0;
    virtual std::string getInterfaceName() = 0;
};

class OLVAR_API UnifiedBusinessObjectNotifiers {
public:
    virtual ~UnifiedBusinessObjectNotifiers() = default;
    virtual std::shared_ptr<PropertyNotifier> getGuidNotifier() = 0;
};

class OLVAR_API UnifiedBusinessObject {
public:
    virtual ~UnifiedBusinessObject() = default;
    virtual void addObserver(std::weak_ptr<UnifiedBusinessObjectObserver> observer) = 0;
    virtual void removeObserver(std::weak_ptr<UnifiedBusinessObjectObserver> observer) = 0;
    virtual std::shared_ptr<UnifiedBusinessObjectNotifiers> getUnifiedBusinessObjectNotifiers() = 0;
    virtual std::string getGuid() = 0;
    virtual std::string toString() = 0;
    virtual std::string getInterfaceName() = 0;
};

}  // namespace OlvarUnified
