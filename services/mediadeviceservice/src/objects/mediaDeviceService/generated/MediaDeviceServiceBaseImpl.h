// Stored properties of the MediaDeviceService.
// GENERATED from MediaDeviceServiceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
//
// Setters only store; the service notifies with fireOn<Property>Changed(), which reaches every
// MediaDeviceServiceObserver and the notifier set.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "module/Export.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"
#include "objects/unified/UnifiedServiceImpl.h"

namespace OlvarUnified {

class UnifiedFactory;

class MDS_EXPORT MediaDeviceServiceBaseImpl
    : public UnifiedServiceImpl,
      public MediaDeviceService {
public:
    explicit MediaDeviceServiceBaseImpl(std::shared_ptr<UnifiedFactory> factory);
    ~MediaDeviceServiceBaseImpl() override;

    void addObserver(std::weak_ptr<MediaDeviceServiceObserver> observer) override;
    void removeObserver(std::weak_ptr<MediaDeviceServiceObserver> observer) override;
    using UnifiedServiceImpl::addObserver;
    using UnifiedServiceImpl::removeObserver;
    std::shared_ptr<MediaDeviceServiceNotifiers> getMediaDeviceServiceNotifiers() override;

    // Builds the notifier set once and registers it as an observer of this object.
    void createNotifiers() override;

    // Getter and setter of each property, in table order.
    DeviceList getPreferredOutputDevices() override;
    void setPreferredOutputDevices(DeviceList value) override;
    DeviceList getPreferredInputDevices() override;
    void setPreferredInputDevices(DeviceList value) override;
    DeviceList getPreferredRingerDevices() override;
    void setPreferredRingerDevices(DeviceList value) override;
    DeviceList getPreferredCaptureDevices() override;
    void setPreferredCaptureDevices(DeviceList value) override;
    std::shared_ptr<LocalVideoPreviewDimensions> getSelfViewVideoDimensions() override;
    virtual void setSelfViewVideoDimensions(std::shared_ptr<LocalVideoPreviewDimensions> value);
    void* getLocalVideoPreviewWindowRemoved() override;
    virtual void setLocalVideoPreviewWindowRemoved(void* value);
    void* getLocalVideoPreviewWindowAdded() override;
    virtual void setLocalVideoPreviewWindowAdded(void* value);
    std::int32_t getCurrentSpeakerDeviceVolume() override;
    virtual void setCurrentSpeakerDeviceVolume(std::int32_t value);
    std::int32_t getSoundPlayFinished() override;
    virtual void setSoundPlayFinished(std::int32_t value);
    std::shared_ptr<MediaDevice> getCurrentSpeaker() override;
    virtual void setCurrentSpeaker(std::shared_ptr<MediaDevice> value);
    std::shared_ptr<MediaDevice> getCurrentMicrophone() override;
    virtual void setCurrentMicrophone(std::shared_ptr<MediaDevice> value);
    std::shared_ptr<MediaDevice> getCurrentRinger() override;
    virtual void setCurrentRinger(std::shared_ptr<MediaDevice> value);
    std::shared_ptr<MediaDevice> getCurrentVideo() override;
    virtual void setCurrentVideo(std::shared_ptr<MediaDevice> value);
    bool getIsSpeakerDeviceAvailable() override;
    virtual void setIsSpeakerDeviceAvailable(bool value);
    bool getIsMicrophoneDeviceAvailable() override;
    virtual void setIsMicrophoneDeviceAvailable(bool value);
    bool getIsRingerDeviceAvailable() override;
    virtual void setIsRingerDeviceAvailable(bool value);
    bool getIsVideoDeviceAvailable() override;
    virtual void setIsVideoDeviceAvailable(bool value);
    std::int32_t getDeviceAdded() override;
    virtual void setDeviceAdded(std::int32_t value);
    std::int32_t getDeviceRemoved() override;
    virtual void setDeviceRemoved(std::int32_t value);

protected:
    // Notification of each property, in table order: On<Property>Changed() on every observer.
    void fireOnPreferredOutputDevicesChanged(DeviceList first, DeviceList second);
    void fireOnPreferredInputDevicesChanged(DeviceList first, DeviceList second);
    void fireOnPreferredRingerDevicesChanged(DeviceList first, DeviceList second);
    void fireOnPreferredCaptureDevicesChanged(DeviceList first, DeviceList second);
    void fireOnSelfViewVideoDimensionsChanged();
    void fireOnLocalVideoPreviewWindowRemovedChanged();
    void fireOnLocalVideoPreviewWindowAddedChanged();
    void fireOnCurrentSpeakerDeviceVolumeChanged();
    void fireOnSoundPlayFinishedChanged();
    void fireOnCurrentSpeakerChanged();
    void fireOnCurrentMicrophoneChanged();
    void fireOnCurrentRingerChanged();
    void fireOnCurrentVideoChanged();
    void fireOnIsSpeakerDeviceAvailableChanged();
    void fireOnIsMicrophoneDeviceAvailableChanged();
    void fireOnIsRingerDeviceAvailableChanged();
    void fireOnIsVideoDeviceAvailableChanged();
    void fireOnDeviceAddedChanged();
    void fireOnDeviceRemovedChanged();

private:
    DeviceList m_PreferredOutputDevices{};
    DeviceList m_PreferredInputDevices{};
    DeviceList m_PreferredRingerDevices{};
    DeviceList m_PreferredCaptureDevices{};
    std::shared_ptr<LocalVideoPreviewDimensions> m_SelfViewVideoDimensions{};
    void* m_LocalVideoPreviewWindowRemoved{};
    void* m_LocalVideoPreviewWindowAdded{};
    std::int32_t m_CurrentSpeakerDeviceVolume{};
    std::int32_t m_SoundPlayFinished{};
    std::shared_ptr<MediaDevice> m_CurrentSpeaker{};
    std::shared_ptr<MediaDevice> m_CurrentMicrophone{};
    std::shared_ptr<MediaDevice> m_CurrentRinger{};
    std::shared_ptr<MediaDevice> m_CurrentVideo{};
    bool m_IsSpeakerDeviceAvailable{};
    bool m_IsMicrophoneDeviceAvailable{};
    bool m_IsRingerDeviceAvailable{};
    bool m_IsVideoDeviceAvailable{};
    std::int32_t m_DeviceAdded{};
    std::int32_t m_DeviceRemoved{};
};

}  // namespace OlvarUnified
