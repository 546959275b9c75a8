// Stored properties of a CompositeMediaDevice.
// GENERATED from CompositeMediaDeviceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#include "objects/compositeMediaDevice/generated/CompositeMediaDeviceBaseImpl.h"

#include <utility>

#include "module/ModuleStatics.h"
#include "objects/compositeMediaDevice/generated/CompositeMediaDeviceNotifiersImpl.h"

namespace OlvarUnified {

CompositeMediaDeviceBaseImpl::CompositeMediaDeviceBaseImpl(std::shared_ptr<UnifiedFactory> factory)
    : UnifiedBusinessObjectImpl(std::move(factory), ClassNames::CompositeMediaDeviceBaseImpl) {}

CompositeMediaDeviceBaseImpl::~CompositeMediaDeviceBaseImpl() = default;

void CompositeMediaDeviceBaseImpl::addObserver(std::weak_ptr<CompositeMediaDeviceObserver> observer) {
    UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer));
}

void CompositeMediaDeviceBaseImpl::removeObserver(std::weak_ptr<CompositeMediaDeviceObserver> observer) {
    UnifiedBusinessObjectImpl::removeObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer));
}

std::shared_ptr<CompositeMediaDeviceNotifiers> CompositeMediaDeviceBaseImpl::getCompositeMediaDeviceNotifiers() {
    createNotifiers();
    return std::dynamic_pointer_cast<CompositeMediaDeviceNotifiers>(getNotifiers());
}

void CompositeMediaDeviceBaseImpl::createNotifiers() {
    if (getNotifiers()) return;
    auto notifiers = std::make_shared<CompositeMediaDeviceNotifiersImpl>();
    setNotifiers(notifiers);
    UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(notifiers));
}

DeviceList CompositeMediaDeviceBaseImpl::getMediaDevices() {
    EnsureUpdateAccess(true);
    return m_MediaDevices;
}

void CompositeMediaDeviceBaseImpl::setMediaDevices(DeviceList value) {
    EnsureUpdateAccess(true);
    m_MediaDevices = std::move(value);
}

std::wstring CompositeMediaDeviceBaseImpl::getName() {
    EnsureUpdateAccess(true);
    return m_Name;
}

void CompositeMediaDeviceBaseImpl::setName(std::wstring value) {
    EnsureUpdateAccess(true);
    m_Name = std::move(value);
}

std::wstring CompositeMediaDeviceBaseImpl::getFullName() {
    EnsureUpdateAccess(true);
    return m_FullName;
}

void CompositeMediaDeviceBaseImpl::setFullName(std::wstring value) {
    EnsureUpdateAccess(true);
    m_FullName = std::move(value);
}

AccessoryDeviceTypeEnum::AccessoryDeviceType CompositeMediaDeviceBaseImpl::getCompositeType() {
    EnsureUpdateAccess(true);
    return m_CompositeType;
}

void CompositeMediaDeviceBaseImpl::setCompositeType(AccessoryDeviceTypeEnum::AccessoryDeviceType value) {
    EnsureUpdateAccess(true);
    m_CompositeType = std::move(value);
}

void CompositeMediaDeviceBaseImpl::fireOnMediaDevicesChanged(DeviceList first, DeviceList second) {
    EnsureUpdateAccess(true);
    notifyObservers<CompositeMediaDeviceObserver>(
        [&](auto& observer) { observer.OnMediaDevicesChanged(first, second); });
}

void CompositeMediaDeviceBaseImpl::fireOnNameChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<CompositeMediaDeviceObserver>([](auto& observer) { observer.OnNameChanged(); });
}

void CompositeMediaDeviceBaseImpl::fireOnFullNameChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<CompositeMediaDeviceObserver>([](auto& observer) { observer.OnFullNameChanged(); });
}

void CompositeMediaDeviceBaseImpl::fireOnCompositeTypeChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<CompositeMediaDeviceObserver>([](auto& observer) { observer.OnCompositeTypeChanged(); });
}

}  // namespace OlvarUnified
