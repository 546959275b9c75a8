// Notifier set of a CompositeMediaDevice: each notifier is created on its first request; as an
// observer of the object it fires the notifiers that exist.
#pragma once

#include <memory>

#include "module/Export.h"
#include "objects/LazyNotifier.h"
#include "objects/CompositeMediaDevice.h"
#include "objects/PropertyListNotifierImpl.h"
#include "objects/PropertyNotifierImpl.h"
#include "objects/UnifiedBusinessObjectNotifiersImpl.h"

namespace OlvarUnified {

class MDS_EXPORT CompositeMediaDeviceNotifiersImpl : public UnifiedBusinessObjectNotifiersImpl,
                                      public CompositeMediaDeviceNotifiers,
                                      public CompositeMediaDeviceObserver,
                                      public std::enable_shared_from_this<CompositeMediaDeviceNotifiersImpl> {
public:
    // Fires every notifier created so far, in table order.
    void OnInfoChanged() override;

#define MDS_PROPERTY(Name, Type)                                    \
    std::shared_ptr<PropertyNotifier> get##Name##Notifier() override; \
    void On##Name##Changed() override;
#define MDS_LIST_PROPERTY(Name)                                                  \
    std::shared_ptr<PropertyListNotifier<MediaDevice>> get##Name##Notifier() override; \
    void On##Name##Changed(DeviceList first, DeviceList second) override;
#include "objects/CompositeMediaDeviceProperties.def"

private:
#define MDS_PROPERTY(Name, Type) LazyNotifier<PropertyNotifierImpl> m_##Name##Notifier;
#define MDS_LIST_PROPERTY(Name) LazyNotifier<PropertyListNotifierImpl<MediaDevice>> m_##Name##Notifier;
#include "objects/CompositeMediaDeviceProperties.def"
};

}  // namespace OlvarUnified
