// Interfaces of a service business object.
#pragma once

#include "OlvarUnified/UnifiedBusinessObject.h"

namespace OlvarUnified {

class OLVAR_API UnifiedServiceObserver : public virtual UnifiedBusinessObjectObserver {
public:
    virtual void OnBulkUpdateInProgressChanged() = 0;
};

class OLVAR_API UnifiedServiceNotifiers : public virtual UnifiedBusinessObjectNotifiers {
public:
    virtual std::shared_ptr<PropertyNotifier> getBulkUpdateInProgressNotifier() = 0;
};

class OLVAR_API UnifiedService : public virtual UnifiedBusinessObject {
public:
    virtual bool getBulkUpdateInProgress() = 0;
    virtual void addObserver(std::weak_ptr<UnifiedServiceObserver> observer) = 0;
    virtual void removeObserver(std::weak_ptr<UnifiedServiceObserver> observer) = 0;
    virtual std::string getClassName() = 0;
    using UnifiedBusinessObject::addObserver;
    using UnifiedBusinessObject::removeObserver;
};

}  // namespace OlvarUnified
