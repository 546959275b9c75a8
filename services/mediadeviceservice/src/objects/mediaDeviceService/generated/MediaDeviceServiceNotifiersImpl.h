// Notifier set of the MediaDeviceService.
// GENERATED from MediaDeviceServiceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
//
// Each notifier is created on its first request; as an observer of the object the set fires
// the notifiers that exist.
#pragma once

#include <memory>

#include "module/Export.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"
#include "objects/notifiers/LazyNotifier.h"
#include "objects/notifiers/PropertyListNotifierImpl.h"
#include "objects/notifiers/PropertyNotifierImpl.h"
#include "objects/unified/UnifiedServiceNotifiersImpl.h"

namespace OlvarUnified {

class MDS_EXPORT MediaDeviceServiceNotifiersImpl
    : public UnifiedServiceNotifiersImpl,
      public MediaDeviceServiceNotifiers,
      public MediaDeviceServiceObserver,
      public std::enable_shared_from_this<MediaDeviceServiceNotifiersImpl> {
public:
    // Fires every notifier created so far: the bulk-update one, then the table's in order;
    // list notifiers announce a reset.
    void OnInfoChanged() override;

    // The notifier of each property, in table order.
    std::shared_ptr<PropertyListNotifier<MediaDevice>> getPreferredOutputDevicesNotifier() override;
    std::shared_ptr<PropertyListNotifier<MediaDevice>> getPreferredInputDevicesNotifier() override;
    std::shared_ptr<PropertyListNotifier<MediaDevice>> getPreferredRingerDevicesNotifier() override;
    std::shared_ptr<PropertyListNotifier<MediaDevice>> getPreferredCaptureDevicesNotifier() override;
    std::shared_ptr<PropertyNotifier> getSelfViewVideoDimensionsNotifier() override;
    std::shared_ptr<PropertyNotifier> getLocalVideoPreviewWindowRemovedNotifier() override;
    std::shared_ptr<PropertyNotifier> getLocalVideoPreviewWindowAddedNotifier() override;
    std::shared_ptr<PropertyNotifier> getCurrentSpeakerDeviceVolumeNotifier() override;
    std::shared_ptr<PropertyNotifier> getSoundPlayFinishedNotifier() override;
    std::shared_ptr<PropertyNotifier> getCurrentSpeakerNotifier() override;
    std::shared_ptr<PropertyNotifier> getCurrentMicrophoneNotifier() override;
    std::shared_ptr<PropertyNotifier> getCurrentRingerNotifier() override;
    std::shared_ptr<PropertyNotifier> getCurrentVideoNotifier() override;
    std::shared_ptr<PropertyNotifier> getIsSpeakerDeviceAvailableNotifier() override;
    std::shared_ptr<PropertyNotifier> getIsMicrophoneDeviceAvailableNotifier() override;
    std::shared_ptr<PropertyNotifier> getIsRingerDeviceAvailableNotifier() override;
    std::shared_ptr<PropertyNotifier> getIsVideoDeviceAvailableNotifier() override;
    std::shared_ptr<PropertyNotifier> getDeviceAddedNotifier() override;
    std::shared_ptr<PropertyNotifier> getDeviceRemovedNotifier() override;

    // The observer call of each property, in table order: fires its notifier if created.
    void OnPreferredOutputDevicesChanged(DeviceList first, DeviceList second) override;
    void OnPreferredInputDevicesChanged(DeviceList first, DeviceList second) override;
    void OnPreferredRingerDevicesChanged(DeviceList first, DeviceList second) override;
    void OnPreferredCaptureDevicesChanged(DeviceList first, DeviceList second) override;
    void OnSelfViewVideoDimensionsChanged() override;
    void OnLocalVideoPreviewWindowRemovedChanged() override;
    void OnLocalVideoPreviewWindowAddedChanged() override;
    void OnCurrentSpeakerDeviceVolumeChanged() override;
    void OnSoundPlayFinishedChanged() override;
    void OnCurrentSpeakerChanged() override;
    void OnCurrentMicrophoneChanged() override;
    void OnCurrentRingerChanged() override;
    void OnCurrentVideoChanged() override;
    void OnIsSpeakerDeviceAvailableChanged() override;
    void OnIsMicrophoneDeviceAvailableChanged() override;
    void OnIsRingerDeviceAvailableChanged() override;
    void OnIsVideoDeviceAvailableChanged() override;
    void OnDeviceAddedChanged() override;
    void OnDeviceRemovedChanged() override;

private:
    LazyNotifier<PropertyListNotifierImpl<MediaDevice>> m_PreferredOutputDevicesNotifier;
    LazyNotifier<PropertyListNotifierImpl<MediaDevice>> m_PreferredInputDevicesNotifier;
    LazyNotifier<PropertyListNotifierImpl<MediaDevice>> m_PreferredRingerDevicesNotifier;
    LazyNotifier<PropertyListNotifierImpl<MediaDevice>> m_PreferredCaptureDevicesNotifier;
    LazyNotifier<PropertyNotifierImpl> m_SelfViewVideoDimensionsNotifier;
    LazyNotifier<PropertyNotifierImpl> m_LocalVideoPreviewWindowRemovedNotifier;
    LazyNotifier<PropertyNotifierImpl> m_LocalVideoPreviewWindowAddedNotifier;
    LazyNotifier<PropertyNotifierImpl> m_CurrentSpeakerDeviceVolumeNotifier;
    LazyNotifier<PropertyNotifierImpl> m_SoundPlayFinishedNotifier;
    LazyNotifier<PropertyNotifierImpl> m_CurrentSpeakerNotifier;
    LazyNotifier<PropertyNotifierImpl> m_CurrentMicrophoneNotifier;
    LazyNotifier<PropertyNotifierImpl> m_CurrentRingerNotifier;
    LazyNotifier<PropertyNotifierImpl> m_CurrentVideoNotifier;
    LazyNotifier<PropertyNotifierImpl> m_IsSpeakerDeviceAvailableNotifier;
    LazyNotifier<PropertyNotifierImpl> m_IsMicrophoneDeviceAvailableNotifier;
    LazyNotifier<PropertyNotifierImpl> m_IsRingerDeviceAvailableNotifier;
    LazyNotifier<PropertyNotifierImpl> m_IsVideoDeviceAvailableNotifier;
    LazyNotifier<PropertyNotifierImpl> m_DeviceAddedNotifier;
    LazyNotifier<PropertyNotifierImpl> m_DeviceRemovedNotifier;
};

}  // namespace OlvarUnified
