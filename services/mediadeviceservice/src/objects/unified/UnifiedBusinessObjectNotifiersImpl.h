// Base of every notifier set: the guid notifier. A notifier set is also an observer of its
// object, so it gets the object's change calls and fires its notifiers from them.
#pragma once

#include <memory>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "objects/notifiers/LazyNotifier.h"
#include "objects/notifiers/PropertyNotifierImpl.h"

namespace OlvarUnified {

class MDS_EXPORT UnifiedBusinessObjectNotifiersImpl : public virtual UnifiedBusinessObjectNotifiers,
                                                      public virtual UnifiedBusinessObjectObserver {
public:
    std::shared_ptr<PropertyNotifier> getGuidNotifier() override;
    void OnGuidChanged() override;

private:
    LazyNotifier<PropertyNotifierImpl> m_GuidNotifier;
};

}  // namespace OlvarUnified
