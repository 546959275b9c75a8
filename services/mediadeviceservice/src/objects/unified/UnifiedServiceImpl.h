// Generic base of a service business object: the bulk-update flag and the service observers.
#pragma once

#include <memory>
#include <string>

#include "OlvarUnified/UnifiedBusinessObjectImpl.h"
#include "OlvarUnified/UnifiedService.h"
#include "module/Export.h"

namespace OlvarUnified {

class UnifiedFactory;

class MDS_EXPORT UnifiedServiceImpl : public UnifiedBusinessObjectImpl, public virtual UnifiedService {
public:
    UnifiedServiceImpl(std::shared_ptr<UnifiedFactory> factory, std::string name);
    UnifiedServiceImpl(std::shared_ptr<UnifiedFactory> factory, std::string name, bool isCollection);
    ~UnifiedServiceImpl() override;

    bool getBulkUpdateInProgress() override;
    // Stores without notifying; the owner fires.
    void setBulkUpdateInProgress(bool inProgress);
    // OnBulkUpdateInProgressChanged() on every live service observer.
    void fireOnBulkUpdateInProgressChanged();

    std::string getClassName() override;
    std::string getGuid() override;

    // Service observers share the object's observer list.
    void addObserver(std::weak_ptr<UnifiedServiceObserver> observer) override;
    void removeObserver(std::weak_ptr<UnifiedServiceObserver> observer) override;
    using UnifiedBusinessObjectImpl::addObserver;
    using UnifiedBusinessObjectImpl::removeObserver;

private:
    bool m_bulkUpdateInProgress = false;
};

}  // namespace OlvarUnified
