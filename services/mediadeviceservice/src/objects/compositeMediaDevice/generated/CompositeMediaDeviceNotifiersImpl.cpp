// Notifier set of a CompositeMediaDevice.
// GENERATED from CompositeMediaDeviceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#include "objects/compositeMediaDevice/generated/CompositeMediaDeviceNotifiersImpl.h"

#include <utility>

namespace OlvarUnified {

void CompositeMediaDeviceNotifiersImpl::OnInfoChanged() {
    m_MediaDevicesNotifier.fireResetIfCreated();
    m_NameNotifier.fireIfCreated();
    m_FullNameNotifier.fireIfCreated();
    m_CompositeTypeNotifier.fireIfCreated();
}

std::shared_ptr<PropertyListNotifier<MediaDevice>> CompositeMediaDeviceNotifiersImpl::getMediaDevicesNotifier() {
    return m_MediaDevicesNotifier.get();
}

std::shared_ptr<PropertyNotifier> CompositeMediaDeviceNotifiersImpl::getNameNotifier() {
    return m_NameNotifier.get();
}

std::shared_ptr<PropertyNotifier> CompositeMediaDeviceNotifiersImpl::getFullNameNotifier() {
    return m_FullNameNotifier.get();
}

std::shared_ptr<PropertyNotifier> CompositeMediaDeviceNotifiersImpl::getCompositeTypeNotifier() {
    return m_CompositeTypeNotifier.get();
}

void CompositeMediaDeviceNotifiersImpl::OnMediaDevicesChanged(DeviceList first, DeviceList second) {
    m_MediaDevicesNotifier.fireIfCreated(std::move(first), std::move(second));
}

void CompositeMediaDeviceNotifiersImpl::OnNameChanged() { m_NameNotifier.fireIfCreated(); }

void CompositeMediaDeviceNotifiersImpl::OnFullNameChanged() { m_FullNameNotifier.fireIfCreated(); }

void CompositeMediaDeviceNotifiersImpl::OnCompositeTypeChanged() { m_CompositeTypeNotifier.fireIfCreated(); }

}  // namespace OlvarUnified
