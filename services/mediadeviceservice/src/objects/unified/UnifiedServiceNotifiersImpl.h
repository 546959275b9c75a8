// Base of the notifier sets of services: adds the bulk-update notifier.
#pragma once

#include <memory>

#include "OlvarUnified/UnifiedService.h"
#include "module/Export.h"
#include "objects/unified/UnifiedBusinessObjectNotifiersImpl.h"

namespace OlvarUnified {

class MDS_EXPORT UnifiedServiceNotifiersImpl : public UnifiedBusinessObjectNotifiersImpl,
                                               public virtual UnifiedServiceNotifiers,
                                               public virtual UnifiedServiceObserver {
public:
    std::shared_ptr<PropertyNotifier> getBulkUpdateInProgressNotifier() override;
    void OnBulkUpdateInProgressChanged() override;
    // Fires the bulk-update notifier if it was requested.
    void OnInfoChanged() override;

private:
    LazyNotifier<PropertyNotifierImpl> m_BulkUpdateInProgressNotifier;
};

}  // namespace OlvarUnified
