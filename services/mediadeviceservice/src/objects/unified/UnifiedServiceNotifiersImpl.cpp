#include "objects/unified/UnifiedServiceNotifiersImpl.h"

namespace OlvarUnified {

std::shared_ptr<PropertyNotifier> UnifiedServiceNotifiersImpl::getBulkUpdateInProgressNotifier() {
    return m_BulkUpdateInProgressNotifier.get();
}

void UnifiedServiceNotifiersImpl::OnBulkUpdateInProgressChanged() { m_BulkUpdateInProgressNotifier.fireIfCreated(); }

void UnifiedServiceNotifiersImpl::OnInfoChanged() { m_BulkUpdateInProgressNotifier.fireIfCreated(); }

}  // namespace OlvarUnified
