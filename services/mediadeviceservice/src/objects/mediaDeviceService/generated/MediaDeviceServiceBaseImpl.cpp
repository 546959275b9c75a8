// Stored properties of the MediaDeviceService.
// GENERATED from MediaDeviceServiceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#include "objects/mediaDeviceService/generated/MediaDeviceServiceBaseImpl.h"

#include <utility>

#include "module/ModuleStatics.h"
#include "objects/mediaDeviceService/generated/MediaDeviceServiceNotifiersImpl.h"

namespace OlvarUnified {

MediaDeviceServiceBaseImpl::MediaDeviceServiceBaseImpl(std::shared_ptr<UnifiedFactory> factory)
    : UnifiedServiceImpl(std::move(factory), ClassNames::MediaDeviceServiceBaseImpl) {}

MediaDeviceServiceBaseImpl::~MediaDeviceServiceBaseImpl() = default;

void MediaDeviceServiceBaseImpl::addObserver(std::weak_ptr<MediaDeviceServiceObserver> observer) {
    UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer));
}

void MediaDeviceServiceBaseImpl::removeObserver(std::weak_ptr<MediaDeviceServiceObserver> observer) {
    UnifiedBusinessObjectImpl::removeObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer));
}

std::shared_ptr<MediaDeviceServiceNotifiers> MediaDeviceServiceBaseImpl::getMediaDeviceServiceNotifiers() {
    createNotifiers();
    return std::dynamic_pointer_cast<MediaDeviceServiceNotifiers>(getNotifiers());
}

void MediaDeviceServiceBaseImpl::createNotifiers() {
    if (getNotifiers()) return;
    auto notifiers = std::make_shared<MediaDeviceServiceNotifiersImpl>();
    setNotifiers(notifiers);
    UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(notifiers));
}

DeviceList MediaDeviceServiceBaseImpl::getPreferredOutputDevices() {
    EnsureUpdateAccess(true);
    return m_PreferredOutputDevices;
}

void MediaDeviceServiceBaseImpl::setPreferredOutputDevices(DeviceList value) {
    EnsureUpdateAccess(true);
    m_PreferredOutputDevices = std::move(value);
}

DeviceList MediaDeviceServiceBaseImpl::getPreferredInputDevices() {
    EnsureUpdateAccess(true);
    return m_PreferredInputDevices;
}

void MediaDeviceServiceBaseImpl::setPreferredInputDevices(DeviceList value) {
    EnsureUpdateAccess(true);
    m_PreferredInputDevices = std::move(value);
}

DeviceList MediaDeviceServiceBaseImpl::getPreferredRingerDevices() {
    EnsureUpdateAccess(true);
    return m_PreferredRingerDevices;
}

void MediaDeviceServiceBaseImpl::setPreferredRingerDevices(DeviceList value) {
    EnsureUpdateAccess(true);
    m_PreferredRingerDevices = std::move(value);
}

DeviceList MediaDeviceServiceBaseImpl::getPreferredCaptureDevices() {
    EnsureUpdateAccess(true);
    return m_PreferredCaptureDevices;
}

void MediaDeviceServiceBaseImpl::setPreferredCaptureDevices(DeviceList value) {
    EnsureUpdateAccess(true);
    m_PreferredCaptureDevices = std::move(value);
}

std::shared_ptr<LocalVideoPreviewDimensions> MediaDeviceServiceBaseImpl::getSelfViewVideoDimensions() {
    EnsureUpdateAccess(true);
    return m_SelfViewVideoDimensions;
}

void MediaDeviceServiceBaseImpl::setSelfViewVideoDimensions(std::shared_ptr<LocalVideoPreviewDimensions> value) {
    EnsureUpdateAccess(true);
    m_SelfViewVideoDimensions = std::move(value);
}

void* MediaDeviceServiceBaseImpl::getLocalVideoPreviewWindowRemoved() {
    EnsureUpdateAccess(true);
    return m_LocalVideoPreviewWindowRemoved;
}

void MediaDeviceServiceBaseImpl::setLocalVideoPreviewWindowRemoved(void* value) {
    EnsureUpdateAccess(true);
    m_LocalVideoPreviewWindowRemoved = std::move(value);
}

void* MediaDeviceServiceBaseImpl::getLocalVideoPreviewWindowAdded() {
    EnsureUpdateAccess(true);
    return m_LocalVideoPreviewWindowAdded;
}

void MediaDeviceServiceBaseImpl::setLocalVideoPreviewWindowAdded(void* value) {
    EnsureUpdateAccess(true);
    m_LocalVideoPreviewWindowAdded = std::move(value);
}

std::int32_t MediaDeviceServiceBaseImpl::getCurrentSpeakerDeviceVolume() {
    EnsureUpdateAccess(true);
    return m_CurrentSpeakerDeviceVolume;
}

void MediaDeviceServiceBaseImpl::setCurrentSpeakerDeviceVolume(std::int32_t value) {
    EnsureUpdateAccess(true);
    m_CurrentSpeakerDeviceVolume = std::move(value);
}

std::int32_t MediaDeviceServiceBaseImpl::getSoundPlayFinished() {
    EnsureUpdateAccess(true);
    return m_SoundPlayFinished;
}

void MediaDeviceServiceBaseImpl::setSoundPlayFinished(std::int32_t value) {
    EnsureUpdateAccess(true);
    m_SoundPlayFinished = std::move(value);
}

std::shared_ptr<MediaDevice> MediaDeviceServiceBaseImpl::getCurrentSpeaker() {
    EnsureUpdateAccess(true);
    return m_CurrentSpeaker;
}

void MediaDeviceServiceBaseImpl::setCurrentSpeaker(std::shared_ptr<MediaDevice> value) {
    EnsureUpdateAccess(true);
    m_CurrentSpeaker = std::move(value);
}

std::shared_ptr<MediaDevice> MediaDeviceServiceBaseImpl::getCurrentMicrophone() {
    EnsureUpdateAccess(true);
    return m_CurrentMicrophone;
}

void MediaDeviceServiceBaseImpl::setCurrentMicrophone(std::shared_ptr<MediaDevice> value) {
    EnsureUpdateAccess(true);
    m_CurrentMicrophone = std::move(value);
}

std::shared_ptr<MediaDevice> MediaDeviceServiceBaseImpl::getCurrentRinger() {
    EnsureUpdateAccess(true);
    return m_CurrentRinger;
}

void MediaDeviceServiceBaseImpl::setCurrentRinger(std::shared_ptr<MediaDevice> value) {
    EnsureUpdateAccess(true);
    m_CurrentRinger = std::move(value);
}

std::shared_ptr<MediaDevice> MediaDeviceServiceBaseImpl::getCurrentVideo() {
    EnsureUpdateAccess(true);
    return m_CurrentVideo;
}

void MediaDeviceServiceBaseImpl::setCurrentVideo(std::shared_ptr<MediaDevice> value) {
    EnsureUpdateAccess(true);
    m_CurrentVideo = std::move(value);
}

bool MediaDeviceServiceBaseImpl::getIsSpeakerDeviceAvailable() {
    EnsureUpdateAccess(true);
    return m_IsSpeakerDeviceAvailable;
}

void MediaDeviceServiceBaseImpl::setIsSpeakerDeviceAvailable(bool value) {
    EnsureUpdateAccess(true);
    m_IsSpeakerDeviceAvailable = std::move(value);
}

bool MediaDeviceServiceBaseImpl::getIsMicrophoneDeviceAvailable() {
    EnsureUpdateAccess(true);
    return m_IsMicrophoneDeviceAvailable;
}

void MediaDeviceServiceBaseImpl::setIsMicrophoneDeviceAvailable(bool value) {
    EnsureUpdateAccess(true);
    m_IsMicrophoneDeviceAvailable = std::move(value);
}

bool MediaDeviceServiceBaseImpl::getIsRingerDeviceAvailable() {
    EnsureUpdateAccess(true);
    return m_IsRingerDeviceAvailable;
}

void MediaDeviceServiceBaseImpl::setIsRingerDeviceAvailable(bool value) {
    EnsureUpdateAccess(true);
    m_IsRingerDeviceAvailable = std::move(value);
}

bool MediaDeviceServiceBaseImpl::getIsVideoDeviceAvailable() {
    EnsureUpdateAccess(true);
    return m_IsVideoDeviceAvailable;
}

void MediaDeviceServiceBaseImpl::setIsVideoDeviceAvailable(bool value) {
    EnsureUpdateAccess(true);
    m_IsVideoDeviceAvailable = std::move(value);
}

std::int32_t MediaDeviceServiceBaseImpl::getDeviceAdded() {
    EnsureUpdateAccess(true);
    return m_DeviceAdded;
}

void MediaDeviceServiceBaseImpl::setDeviceAdded(std::int32_t value) {
    EnsureUpdateAccess(true);
    m_DeviceAdded = std::move(value);
}

std::int32_t MediaDeviceServiceBaseImpl::getDeviceRemoved() {
    EnsureUpdateAccess(true);
    return m_DeviceRemoved;
}

void MediaDeviceServiceBaseImpl::setDeviceRemoved(std::int32_t value) {
    EnsureUpdateAccess(true);
    m_DeviceRemoved = std::move(value);
}

void MediaDeviceServiceBaseImpl::fireOnPreferredOutputDevicesChanged(DeviceList first, DeviceList second) {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [&](auto& observer) { observer.OnPreferredOutputDevicesChanged(first, second); });
}

void MediaDeviceServiceBaseImpl::fireOnPreferredInputDevicesChanged(DeviceList first, DeviceList second) {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [&](auto& observer) { observer.OnPreferredInputDevicesChanged(first, second); });
}

void MediaDeviceServiceBaseImpl::fireOnPreferredRingerDevicesChanged(DeviceList first, DeviceList second) {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [&](auto& observer) { observer.OnPreferredRingerDevicesChanged(first, second); });
}

void MediaDeviceServiceBaseImpl::fireOnPreferredCaptureDevicesChanged(DeviceList first, DeviceList second) {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [&](auto& observer) { observer.OnPreferredCaptureDevicesChanged(first, second); });
}

void MediaDeviceServiceBaseImpl::fireOnSelfViewVideoDimensionsChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [](auto& observer) { observer.OnSelfViewVideoDimensionsChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnLocalVideoPreviewWindowRemovedChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [](auto& observer) { observer.OnLocalVideoPreviewWindowRemovedChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnLocalVideoPreviewWindowAddedChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [](auto& observer) { observer.OnLocalVideoPreviewWindowAddedChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnCurrentSpeakerDeviceVolumeChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [](auto& observer) { observer.OnCurrentSpeakerDeviceVolumeChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnSoundPlayFinishedChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [](auto& observer) { observer.OnSoundPlayFinishedChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnCurrentSpeakerChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>([](auto& observer) { observer.OnCurrentSpeakerChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnCurrentMicrophoneChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [](auto& observer) { observer.OnCurrentMicrophoneChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnCurrentRingerChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>([](auto& observer) { observer.OnCurrentRingerChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnCurrentVideoChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>([](auto& observer) { observer.OnCurrentVideoChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnIsSpeakerDeviceAvailableChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [](auto& observer) { observer.OnIsSpeakerDeviceAvailableChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnIsMicrophoneDeviceAvailableChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [](auto& observer) { observer.OnIsMicrophoneDeviceAvailableChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnIsRingerDeviceAvailableChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [](auto& observer) { observer.OnIsRingerDeviceAvailableChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnIsVideoDeviceAvailableChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>(
        [](auto& observer) { observer.OnIsVideoDeviceAvailableChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnDeviceAddedChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>([](auto& observer) { observer.OnDeviceAddedChanged(); });
}

void MediaDeviceServiceBaseImpl::fireOnDeviceRemovedChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<MediaDeviceServiceObserver>([](auto& observer) { observer.OnDeviceRemovedChanged(); });
}

}  // namespace OlvarUnified
