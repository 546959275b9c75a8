// Notifier set of a MediaDevice.
// GENERATED from MediaDeviceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
//
// Each notifier is created on its first request; as an observer of the object the set fires
// the notifiers that exist.
#pragma once

#include <memory>

#include "module/Export.h"
#include "objects/mediaDevice/MediaDevice.h"
#include "objects/notifiers/LazyNotifier.h"
#include "objects/notifiers/PropertyNotifierImpl.h"
#include "objects/unified/UnifiedBusinessObjectNotifiersImpl.h"

namespace OlvarUnified {

class MDS_EXPORT MediaDeviceNotifiersImpl
    : public UnifiedBusinessObjectNotifiersImpl,
      public MediaDeviceNotifiers,
      public MediaDeviceObserver,
      public std::enable_shared_from_this<MediaDeviceNotifiersImpl> {
public:
    // Fires every notifier created so far, in table order.
    void OnInfoChanged() override;

    // The notifier of each property, in table order.
    std::shared_ptr<PropertyNotifier> getIsPluggedInNotifier() override;
    std::shared_ptr<PropertyNotifier> getIsSelectedNotifier() override;
    std::shared_ptr<PropertyNotifier> getSelectionIdNotifier() override;
    std::shared_ptr<PropertyNotifier> getHardwareIdNotifier() override;
    std::shared_ptr<PropertyNotifier> getNameNotifier() override;
    std::shared_ptr<PropertyNotifier> getDeviceVolumeNotifier() override;
    std::shared_ptr<PropertyNotifier> getIsPeakInitialisedNotifier() override;
    std::shared_ptr<PropertyNotifier> getDeviceInterfaceNotifier() override;
    std::shared_ptr<PropertyNotifier> getFriendlyNameNotifier() override;
    std::shared_ptr<PropertyNotifier> getInstanceIdNotifier() override;
    std::shared_ptr<PropertyNotifier> getTypeNotifier() override;
    std::shared_ptr<PropertyNotifier> getVendorNotifier() override;

    // The observer call of each property, in table order: fires its notifier if created.
    void OnIsPluggedInChanged() override;
    void OnIsSelectedChanged() override;
    void OnSelectionIdChanged() override;
    void OnHardwareIdChanged() override;
    void OnNameChanged() override;
    void OnDeviceVolumeChanged() override;
    void OnIsPeakInitialisedChanged() override;
    void OnDeviceInterfaceChanged() override;
    void OnFriendlyNameChanged() override;
    void OnInstanceIdChanged() override;
    void OnTypeChanged() override;
    void OnVendorChanged() override;

private:
    LazyNotifier<PropertyNotifierImpl> m_IsPluggedInNotifier;
    LazyNotifier<PropertyNotifierImpl> m_IsSelectedNotifier;
    LazyNotifier<PropertyNotifierImpl> m_SelectionIdNotifier;
    LazyNotifier<PropertyNotifierImpl> m_HardwareIdNotifier;
    LazyNotifier<PropertyNotifierImpl> m_NameNotifier;
    LazyNotifier<PropertyNotifierImpl> m_DeviceVolumeNotifier;
    LazyNotifier<PropertyNotifierImpl> m_IsPeakInitialisedNotifier;
    LazyNotifier<PropertyNotifierImpl> m_DeviceInterfaceNotifier;
    LazyNotifier<PropertyNotifierImpl> m_FriendlyNameNotifier;
    LazyNotifier<PropertyNotifierImpl> m_InstanceIdNotifier;
    LazyNotifier<PropertyNotifierImpl> m_TypeNotifier;
    LazyNotifier<PropertyNotifierImpl> m_VendorNotifier;
};

}  // namespace OlvarUnified
