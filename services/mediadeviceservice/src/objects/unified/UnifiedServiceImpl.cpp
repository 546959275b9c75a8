#include "objects/unified/UnifiedServiceImpl.h"

#include "OlvarUnified/UnifiedFactory.h"

namespace OlvarUnified {

UnifiedServiceImpl::UnifiedServiceImpl(std::shared_ptr<UnifiedFactory> factory, std::string name)
    : UnifiedBusinessObjectImpl(std::move(factory), std::move(name)) {}

UnifiedServiceImpl::UnifiedServiceImpl(std::shared_ptr<UnifiedFactory> factory, std::string name, bool isCollection)
    : UnifiedBusinessObjectImpl(std::move(factory), std::move(name), isCollection) {}

UnifiedServiceImpl::~UnifiedServiceImpl() = default;

bool UnifiedServiceImpl::getBulkUpdateInProgress() {
    EnsureUpdateAccess(true);
    return m_bulkUpdateInProgress;
}

void UnifiedServiceImpl::setBulkUpdateInProgress(bool inProgress) {
    EnsureUpdateAccess(true);
    m_bulkUpdateInProgress = inProgress;
}

void UnifiedServiceImpl::fireOnBulkUpdateInProgressChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<UnifiedServiceObserver>(
        [](UnifiedServiceObserver& observer) { observer.OnBulkUpdateInProgressChanged(); });
}

std::string UnifiedServiceImpl::getClassName() { return "UnifiedServiceImpl"; }

std::string UnifiedServiceImpl::getGuid() { return UnifiedBusinessObjectImpl::getGuid(); }

void UnifiedServiceImpl::addObserver(std::weak_ptr<UnifiedServiceObserver> observer) {
    UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer));
}

void UnifiedServiceImpl::removeObserver(std::weak_ptr<UnifiedServiceObserver> observer) {
    UnifiedBusinessObjectImpl::removeObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer));
}

}  // namespace OlvarUnified
