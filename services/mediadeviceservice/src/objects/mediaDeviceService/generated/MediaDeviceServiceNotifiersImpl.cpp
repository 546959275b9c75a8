// Notifier set of the MediaDeviceService.
// GENERATED from MediaDeviceServiceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#include "objects/mediaDeviceService/generated/MediaDeviceServiceNotifiersImpl.h"

#include <utility>

namespace OlvarUnified {

void MediaDeviceServiceNotifiersImpl::OnInfoChanged() {
    UnifiedServiceNotifiersImpl::OnInfoChanged();
    m_PreferredOutputDevicesNotifier.fireResetIfCreated();
    m_PreferredInputDevicesNotifier.fireResetIfCreated();
    m_PreferredRingerDevicesNotifier.fireResetIfCreated();
    m_PreferredCaptureDevicesNotifier.fireResetIfCreated();
    m_SelfViewVideoDimensionsNotifier.fireIfCreated();
    m_LocalVideoPreviewWindowRemovedNotifier.fireIfCreated();
    m_LocalVideoPreviewWindowAddedNotifier.fireIfCreated();
    m_CurrentSpeakerDeviceVolumeNotifier.fireIfCreated();
    m_SoundPlayFinishedNotifier.fireIfCreated();
    m_CurrentSpeakerNotifier.fireIfCreated();
    m_CurrentMicrophoneNotifier.fireIfCreated();
    m_CurrentRingerNotifier.fireIfCreated();
    m_CurrentVideoNotifier.fireIfCreated();
    m_IsSpeakerDeviceAvailableNotifier.fireIfCreated();
    m_IsMicrophoneDeviceAvailableNotifier.fireIfCreated();
    m_IsRingerDeviceAvailableNotifier.fireIfCreated();
    m_IsVideoDeviceAvailableNotifier.fireIfCreated();
    m_DeviceAddedNotifier.fireIfCreated();
    m_DeviceRemovedNotifier.fireIfCreated();
}

std::shared_ptr<PropertyListNotifier<MediaDevice>> MediaDeviceServiceNotifiersImpl::getPreferredOutputDevicesNotifier() {
    return m_PreferredOutputDevicesNotifier.get();
}

std::shared_ptr<PropertyListNotifier<MediaDevice>> MediaDeviceServiceNotifiersImpl::getPreferredInputDevicesNotifier() {
    return m_PreferredInputDevicesNotifier.get();
}

std::shared_ptr<PropertyListNotifier<MediaDevice>> MediaDeviceServiceNotifiersImpl::getPreferredRingerDevicesNotifier() {
    return m_PreferredRingerDevicesNotifier.get();
}

std::shared_ptr<PropertyListNotifier<MediaDevice>> MediaDeviceServiceNotifiersImpl::getPreferredCaptureDevicesNotifier() {
    return m_PreferredCaptureDevicesNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getSelfViewVideoDimensionsNotifier() {
    return m_SelfViewVideoDimensionsNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getLocalVideoPreviewWindowRemovedNotifier() {
    return m_LocalVideoPreviewWindowRemovedNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getLocalVideoPreviewWindowAddedNotifier() {
    return m_LocalVideoPreviewWindowAddedNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getCurrentSpeakerDeviceVolumeNotifier() {
    return m_CurrentSpeakerDeviceVolumeNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getSoundPlayFinishedNotifier() {
    return m_SoundPlayFinishedNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getCurrentSpeakerNotifier() {
    return m_CurrentSpeakerNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getCurrentMicrophoneNotifier() {
    return m_CurrentMicrophoneNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getCurrentRingerNotifier() {
    return m_CurrentRingerNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getCurrentVideoNotifier() {
    return m_CurrentVideoNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getIsSpeakerDeviceAvailableNotifier() {
    return m_IsSpeakerDeviceAvailableNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getIsMicrophoneDeviceAvailableNotifier() {
    return m_IsMicrophoneDeviceAvailableNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getIsRingerDeviceAvailableNotifier() {
    return m_IsRingerDeviceAvailableNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getIsVideoDeviceAvailableNotifier() {
    return m_IsVideoDeviceAvailableNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getDeviceAddedNotifier() {
    return m_DeviceAddedNotifier.get();
}

std::shared_ptr<PropertyNotifier> MediaDeviceServiceNotifiersImpl::getDeviceRemovedNotifier() {
    return m_DeviceRemovedNotifier.get();
}

void MediaDeviceServiceNotifiersImpl::OnPreferredOutputDevicesChanged(DeviceList first, DeviceList second) {
    m_PreferredOutputDevicesNotifier.fireIfCreated(std::move(first), std::move(second));
}

void MediaDeviceServiceNotifiersImpl::OnPreferredInputDevicesChanged(DeviceList first, DeviceList second) {
    m_PreferredInputDevicesNotifier.fireIfCreated(std::move(first), std::move(second));
}

void MediaDeviceServiceNotifiersImpl::OnPreferredRingerDevicesChanged(DeviceList first, DeviceList second) {
    m_PreferredRingerDevicesNotifier.fireIfCreated(std::move(first), std::move(second));
}

void MediaDeviceServiceNotifiersImpl::OnPreferredCaptureDevicesChanged(DeviceList first, DeviceList second) {
    m_PreferredCaptureDevicesNotifier.fireIfCreated(std::move(first), std::move(second));
}

void MediaDeviceServiceNotifiersImpl::OnSelfViewVideoDimensionsChanged() {
    m_SelfViewVideoDimensionsNotifier.fireIfCreated();
}

void MediaDeviceServiceNotifiersImpl::OnLocalVideoPreviewWindowRemovedChanged() {
    m_LocalVideoPreviewWindowRemovedNotifier.fireIfCreated();
}

void MediaDeviceServiceNotifiersImpl::OnLocalVideoPreviewWindowAddedChanged() {
    m_LocalVideoPreviewWindowAddedNotifier.fireIfCreated();
}

void MediaDeviceServiceNotifiersImpl::OnCurrentSpeakerDeviceVolumeChanged() {
    m_CurrentSpeakerDeviceVolumeNotifier.fireIfCreated();
}

void MediaDeviceServiceNotifiersImpl::OnSoundPlayFinishedChanged() {
    m_SoundPlayFinishedNotifier.fireIfCreated();
}

void MediaDeviceServiceNotifiersImpl::OnCurrentSpeakerChanged() { m_CurrentSpeakerNotifier.fireIfCreated(); }

void MediaDeviceServiceNotifiersImpl::OnCurrentMicrophoneChanged() {
    m_CurrentMicrophoneNotifier.fireIfCreated();
}

void MediaDeviceServiceNotifiersImpl::OnCurrentRingerChanged() { m_CurrentRingerNotifier.fireIfCreated(); }

void MediaDeviceServiceNotifiersImpl::OnCurrentVideoChanged() { m_CurrentVideoNotifier.fireIfCreated(); }

void MediaDeviceServiceNotifiersImpl::OnIsSpeakerDeviceAvailableChanged() {
    m_IsSpeakerDeviceAvailableNotifier.fireIfCreated();
}

void MediaDeviceServiceNotifiersImpl::OnIsMicrophoneDeviceAvailableChanged() {
    m_IsMicrophoneDeviceAvailableNotifier.fireIfCreated();
}

void MediaDeviceServiceNotifiersImpl::OnIsRingerDeviceAvailableChanged() {
    m_IsRingerDeviceAvailableNotifier.fireIfCreated();
}

void MediaDeviceServiceNotifiersImpl::OnIsVideoDeviceAvailableChanged() {
    m_IsVideoDeviceAvailableNotifier.fireIfCreated();
}

void MediaDeviceServiceNotifiersImpl::OnDeviceAddedChanged() { m_DeviceAddedNotifier.fireIfCreated(); }

void MediaDeviceServiceNotifiersImpl::OnDeviceRemovedChanged() { m_DeviceRemovedNotifier.fireIfCreated(); }

}  // namespace OlvarUnified
