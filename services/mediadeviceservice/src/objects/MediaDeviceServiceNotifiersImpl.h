// Notifier set of the MediaDeviceService: each notifier is created on its first request; as
// an observer of the service it fires the notifiers that exist.
#pragma once

#include <memory>

#include "module/Export.h"
#include "objects/LazyNotifier.h"
#include "objects/MediaDeviceService.h"
#include "objects/PropertyListNotifierImpl.h"
#include "objects/PropertyNotifierImpl.h"
#include "objects/UnifiedServiceNotifiersImpl.h"

namespace OlvarUnified {

class MDS_EXPORT MediaDeviceServiceNotifiersImpl
    : public UnifiedServiceNotifiersImpl,
      public MediaDeviceServiceNotifiers,
      public MediaDeviceServiceObserver,
      public std::enable_shared_from_this<MediaDeviceServiceNotifiersImpl> {
public:
    // Fires every notifier created so far: the bulk-update one, then the table's in order,
    // the list notifiers with a reset.
    void OnInfoChanged() override;

#define MDS_PROPERTY(Name, Type)                                      \
    std::shared_ptr<PropertyNotifier> get##Name##Notifier() override; \
    void On##Name##Changed() override;
#define MDS_LIST_PROPERTY(Name)                                                        \
    std::shared_ptr<PropertyListNotifier<MediaDevice>> get##Name##Notifier() override; \
    void On##Name##Changed(DeviceList first, DeviceList second) override;
#include "objects/MediaDeviceServiceProperties.def"

private:
#define MDS_PROPERTY(Name, Type) LazyNotifier<PropertyNotifierImpl> m_##Name##Notifier;
#define MDS_LIST_PROPERTY(Name) LazyNotifier<PropertyListNotifierImpl<MediaDevice>> m_##Name##Notifier;
#include "objects/MediaDeviceServiceProperties.def"
};

}  // namespace OlvarUnified
