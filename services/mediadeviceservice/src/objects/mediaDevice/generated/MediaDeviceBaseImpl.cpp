// Stored properties of a MediaDevice.
// GENERATED from MediaDeviceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#include "objects/mediaDevice/generated/MediaDeviceBaseImpl.h"

#include <utility>

#include "module/ModuleStatics.h"
#include "objects/mediaDevice/generated/MediaDeviceNotifiersImpl.h"

namespace OlvarUnified {

MediaDeviceBaseImpl::MediaDeviceBaseImpl(std::shared_ptr<UnifiedFactory> factory)
    : UnifiedBusinessObjectImpl(std::move(factory), ClassNames::MediaDeviceBaseImpl) {}

MediaDeviceBaseImpl::~MediaDeviceBaseImpl() = default;

void MediaDeviceBaseImpl::addObserver(std::weak_ptr<MediaDeviceObserver> observer) {
    UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer));
}

void MediaDeviceBaseImpl::removeObserver(std::weak_ptr<MediaDeviceObserver> observer) {
    UnifiedBusinessObjectImpl::removeObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer));
}

std::shared_ptr<MediaDeviceNotifiers> MediaDeviceBaseImpl::getMediaDeviceNotifiers() {
    createNotifiers();
    return std::dynamic_pointer_cast<MediaDeviceNotifiers>(getNotifiers());
}

void MediaDeviceBaseImpl::createNotifiers() {
    if (getNotifiers()) return;
    auto notifiers = std::make_shared<MediaDeviceNotifiersImpl>();
    setNotifiers(notifiers);
    UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(notifiers));
}

bool MediaDeviceBaseImpl::getIsPluggedIn() {
    EnsureUpdateAccess(true);
    return m_IsPluggedIn;
}

void MediaDeviceBaseImpl::setIsPluggedIn(bool value) {
    EnsureUpdateAccess(true);
    m_IsPluggedIn = std::move(value);
}

bool MediaDeviceBaseImpl::getIsSelected() {
    EnsureUpdateAccess(true);
    return m_IsSelected;
}

void MediaDeviceBaseImpl::setIsSelected(bool value) {
    EnsureUpdateAccess(true);
    m_IsSelected = std::move(value);
}

std::wstring MediaDeviceBaseImpl::getSelectionId() {
    EnsureUpdateAccess(true);
    return m_SelectionId;
}

void MediaDeviceBaseImpl::setSelectionId(std::wstring value) {
    EnsureUpdateAccess(true);
    m_SelectionId = std::move(value);
}

std::wstring MediaDeviceBaseImpl::getHardwareId() {
    EnsureUpdateAccess(true);
    return m_HardwareId;
}

void MediaDeviceBaseImpl::setHardwareId(std::wstring value) {
    EnsureUpdateAccess(true);
    m_HardwareId = std::move(value);
}

std::wstring MediaDeviceBaseImpl::getName() {
    EnsureUpdateAccess(true);
    return m_Name;
}

void MediaDeviceBaseImpl::setName(std::wstring value) {
    EnsureUpdateAccess(true);
    m_Name = std::move(value);
}

std::int32_t MediaDeviceBaseImpl::getDeviceVolume() {
    EnsureUpdateAccess(true);
    return m_DeviceVolume;
}

void MediaDeviceBaseImpl::setDeviceVolume(std::int32_t value) {
    EnsureUpdateAccess(true);
    m_DeviceVolume = std::move(value);
}

bool MediaDeviceBaseImpl::getIsPeakInitialised() {
    EnsureUpdateAccess(true);
    return m_IsPeakInitialised;
}

void MediaDeviceBaseImpl::setIsPeakInitialised(bool value) {
    EnsureUpdateAccess(true);
    m_IsPeakInitialised = std::move(value);
}

std::wstring MediaDeviceBaseImpl::getDeviceInterface() {
    EnsureUpdateAccess(true);
    return m_DeviceInterface;
}

void MediaDeviceBaseImpl::setDeviceInterface(std::wstring value) {
    EnsureUpdateAccess(true);
    m_DeviceInterface = std::move(value);
}

std::wstring MediaDeviceBaseImpl::getFriendlyName() {
    EnsureUpdateAccess(true);
    return m_FriendlyName;
}

void MediaDeviceBaseImpl::setFriendlyName(std::wstring value) {
    EnsureUpdateAccess(true);
    m_FriendlyName = std::move(value);
}

std::wstring MediaDeviceBaseImpl::getInstanceId() {
    EnsureUpdateAccess(true);
    return m_InstanceId;
}

void MediaDeviceBaseImpl::setInstanceId(std::wstring value) {
    EnsureUpdateAccess(true);
    m_InstanceId = std::move(value);
}

MediaDeviceTypeEnum::MediaDeviceType MediaDeviceBaseImpl::getType() {
    EnsureUpdateAccess(true);
    return m_Type;
}

void MediaDeviceBaseImpl::setType(MediaDeviceTypeEnum::MediaDeviceType value) {
    EnsureUpdateAccess(true);
    m_Type = std::move(value);
}

std::wstring MediaDeviceBaseImpl::getVendor() {
    EnsureUpdateAccess(true);
    return m_Vendor;
}

void MediaDeviceBaseImpl::setVendor(std::wstring value) {
    EnsureUpdateAccess(true);
    m_Vendor = std::move(value);
}

void MediaDeviceBaseImpl::fireOnIsPluggedInChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceObserver>([](auto& observer) { observer.OnIsPluggedInChanged(); });
}

void MediaDeviceBaseImpl::fireOnIsSelectedChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceObserver>([](auto& observer) { observer.OnIsSelectedChanged(); });
}

void MediaDeviceBaseImpl::fireOnSelectionIdChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceObserver>([](auto& observer) { observer.OnSelectionIdChanged(); });
}

void MediaDeviceBaseImpl::fireOnHardwareIdChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceObserver>([](auto& observer) { observer.OnHardwareIdChanged(); });
}

void MediaDeviceBaseImpl::fireOnNameChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceObserver>([](auto& observer) { observer.OnNameChanged(); });
}

void MediaDeviceBaseImpl::fireOnDeviceVolumeChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceObserver>([](auto& observer) { observer.OnDeviceVolumeChanged(); });
}

void MediaDeviceBaseImpl::fireOnIsPeakInitialisedChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceObserver>([](auto& observer) { observer.OnIsPeakInitialisedChanged(); });
}

void MediaDeviceBaseImpl::fireOnDeviceInterfaceChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceObserver>([](auto& observer) { observer.OnDeviceInterfaceChanged(); });
}

void MediaDeviceBaseImpl::fireOnFriendlyNameChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceObserver>([](auto& observer) { observer.OnFriendlyNameChanged(); });
}

void MediaDeviceBaseImpl::fireOnInstanceIdChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceObserver>([](auto& observer) { observer.OnInstanceIdChanged(); });
}

void MediaDeviceBaseImpl::fireOnTypeChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceObserver>([](auto& observer) { observer.OnTypeChanged(); });
}

void MediaDeviceBaseImpl::fireOnVendorChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceObserver>([](auto& observer) { observer.OnVendorChanged(); });
}

}  // namespace OlvarUnified
