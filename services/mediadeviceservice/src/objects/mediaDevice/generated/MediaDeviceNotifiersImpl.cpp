// Notifier set of a MediaDevice.
// GENERATED from MediaDeviceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#include "objects/mediaDevice/generated/MediaDeviceNotifiersImpl.h"

#include <utility>

namespace OlvarUnified {

void MediaDeviceNotifiersImpl::OnInfoChanged() {
    m_IsPluggedInNotifier.fireIfCreated();
    m_IsSelectedNotifier.fireIfCreated();
    m_SelectionIdNotifier.fireIfCreated();
    m_HardwareIdNotifier.fireIfCreated();
    m_NameNotifier.fireIfCreated();
    m_DeviceVolumeNotifier.fireIfCreated();
    m_IsPeakInitialisedNotifier.fireIfCreated();
    m_DeviceInterfaceNotifier.fireIfCreated();
    m_FriendlyNameNotifier.fireIfCreated();
    m_InstanceIdNotifier.fireIfCreated();
    m_TypeNotifier.fireIfCreated();
    m_VendorNotifier.fireIfCreated();
}

std::shared_ptr<PropertyNotifier> MediaDeviceNotifiersImpl::getIsPluggedInNotifier() {
    return m_IsPluggedInNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceNotifiersImpl::getIsSelectedNotifier() {
    return m_IsSelectedNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceNotifiersImpl::getSelectionIdNotifier() {
    return m_SelectionIdNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceNotifiersImpl::getHardwareIdNotifier() {
    return m_HardwareIdNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceNotifiersImpl::getNameNotifier() { return m_NameNotifier.get(); }

std::shared_ptr<PropertyNotifier> MediaDeviceNotifiersImpl::getDeviceVolumeNotifier() {
    return m_DeviceVolumeNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceNotifiersImpl::getIsPeakInitialisedNotifier() {
    return m_IsPeakInitialisedNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceNotifiersImpl::getDeviceInterfaceNotifier() {
    return m_DeviceInterfaceNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceNotifiersImpl::getFriendlyNameNotifier() {
    return m_FriendlyNameNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceNotifiersImpl::getInstanceIdNotifier() {
    return m_InstanceIdNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceNotifiersImpl::getTypeNotifier() { return m_TypeNotifier.get(); }

std::shared_ptr<PropertyNotifier> MediaDeviceNotifiersImpl::getVendorNotifier() {
    return m_VendorNotifier.get();
}

void MediaDeviceNotifiersImpl::OnIsPluggedInChanged() { m_IsPluggedInNotifier.fireIfCreated(); }

void MediaDeviceNotifiersImpl::OnIsSelectedChanged() { m_IsSelectedNotifier.fireIfCreated(); }

void MediaDeviceNotifiersImpl::OnSelectionIdChanged() { m_SelectionIdNotifier.fireIfCreated(); }

void MediaDeviceNotifiersImpl::OnHardwareIdChanged() { m_HardwareIdNotifier.fireIfCreated(); }

void MediaDeviceNotifiersImpl::OnNameChanged() { m_NameNotifier.fireIfCreated(); }

void MediaDeviceNotifiersImpl::OnDeviceVolumeChanged() { m_DeviceVolumeNotifier.fireIfCreated(); }

void MediaDeviceNotifiersImpl::OnIsPeakInitialisedChanged() { m_IsPeakInitialisedNotifier.fireIfCreated(); }

void MediaDeviceNotifiersImpl::OnDeviceInterfaceChanged() { m_DeviceInterfaceNotifier.fireIfCreated(); }

void MediaDeviceNotifiersImpl::OnFriendlyNameChanged() { m_FriendlyNameNotifier.fireIfCreated(); }

void MediaDeviceNotifiersImpl::OnInstanceIdChanged() { m_InstanceIdNotifier.fireIfCreated(); }

void MediaDeviceNotifiersImpl::OnTypeChanged() { m_TypeNotifier.fireIfCreated(); }

void MediaDeviceNotifiersImpl::OnVendorChanged() { m_VendorNotifier.fireIfCreated(); }

}  // namespace OlvarUnified
