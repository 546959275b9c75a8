// Notifier set of a MediaDevice: each notifier is created on its first request; as an
// observer of the object it fires the notifiers that exist.
#pragma once

#include <memory>

#include "module/Export.h"
#include "objects/LazyNotifier.h"
#include "objects/MediaDevice.h"
#include "objects/PropertyNotifierImpl.h"
#include "objects/UnifiedBusinessObjectNotifiersImpl.h"

namespace OlvarUnified {

class MDS_EXPORT MediaDeviceNotifiersImpl : public UnifiedBusinessObjectNotifiersImpl,
                                      public MediaDeviceNotifiers,
                                      public MediaDeviceObserver,
                                      public std::enable_shared_from_this<MediaDeviceNotifiersImpl> {
public:
    // Fires every notifier created so far, in table order.
    void OnInfoChanged() override;

#define MDS_PROPERTY(Name, Type)                                    \
    std::shared_ptr<PropertyNotifier> get##Name##Notifier() override; \
    void On##Name##Changed() override;
#include "objects/MediaDeviceProperties.def"

private:
#define MDS_PROPERTY(Name, Type) LazyNotifier<PropertyNotifierImpl> m_##Name##Notifier;
#include "objects/MediaDeviceProperties.def"
};

}  // namespace OlvarUnified
