// Notifier set of a CompositeMediaDevice.
// GENERATED from CompositeMediaDeviceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
//
// Each notifier is created on its first request; as an observer of the object the set fires
// the notifiers that exist.
#pragma once

#include <memory>

#include "module/Export.h"
#include "objects/compositeMediaDevice/CompositeMediaDevice.h"
#include "objects/notifiers/LazyNotifier.h"
#include "objects/notifiers/PropertyListNotifierImpl.h"
#include "objects/notifiers/PropertyNotifierImpl.h"
#include "objects/unified/UnifiedBusinessObjectNotifiersImpl.h"

namespace OlvarUnified {

class MDS_EXPORT CompositeMediaDeviceNotifiersImpl
    : public UnifiedBusinessObjectNotifiersImpl,
      public CompositeMediaDeviceNotifiers,
      public CompositeMediaDeviceObserver,
      public std::enable_shared_from_this<CompositeMediaDeviceNotifiersImpl> {
public:
    // Fires every notifier created so far, in table order;
    // list notifiers announce a reset.
    void OnInfoChanged() override;

    // The notifier of each property, in table order.
    std::shared_ptr<PropertyListNotifier<MediaDevice>> getMediaDevicesNotifier() override;
    std::shared_ptr<PropertyNotifier> getNameNotifier() override;
    std::shared_ptr<PropertyNotifier> getFullNameNotifier() override;
    std::shared_ptr<PropertyNotifier> getCompositeTypeNotifier() override;

    // The observer call of each property, in table order: fires its notifier if created.
    void OnMediaDevicesChanged(DeviceList first, DeviceList second) override;
    void OnNameChanged() override;
    void OnFullNameChanged() override;
    void OnCompositeTypeChanged() override;

private:
    LazyNotifier<PropertyListNotifierImpl<MediaDevice>> m_MediaDevicesNotifier;
    LazyNotifier<PropertyNotifierImpl> m_NameNotifier;
    LazyNotifier<PropertyNotifierImpl> m_FullNameNotifier;
    LazyNotifier<PropertyNotifierImpl> m_CompositeTypeNotifier;
};

}  // namespace OlvarUnified
