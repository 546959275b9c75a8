// Receives device-manager, media-engine and playback notifications on their threads and
// moves the work to the background worker at once.
#pragma once

#include "featuresets/adapters/mediaDevice/playback/SoundPlayUtilsObserver.h"
#include "ravo/VideoTypes.h"
#include "velk/DeviceManager.h"

namespace OlvarUnified {

class AdapterEvents;

class MediaDeviceEventObserver : public olvar::velk::DeviceMonitor_Observer,
                                            public olvar::velk::VolumeControl_Observer,
                                            public olvar::ravo::VideoRenderObserver,
                                            public SoundPlayUtilsObserver {
public:
    explicit MediaDeviceEventObserver(AdapterEvents* adapter);

    void onDeviceAdded(olvar::velk::DeviceInfoPtr device) override;
    void onDeviceRemoved(olvar::velk::DeviceInfoPtr device) override;
    void onDefaultDeviceChanged(olvar::velk::DeviceInfoPtr device) override;

    // Volume notifications of the device manager are not used by the module.
    void onSpeakerVolumeChanged(const std::string& deviceName, int volume) override;
    void onSpeakerMuteChanged(const std::string& deviceName, bool muted) override;
    void onInputGainChanged(const std::string& deviceName, int gain) override;
    void onInputMuteChanged(const std::string& deviceName, bool muted) override;
    void onApplicationVolumeChanged(const std::string& deviceName, int volume) override;

    ~MediaDeviceEventObserver() override;
    void onVideoResolutionChanged(void* windowHandle, std::shared_ptr<olvar::ravo::VideoFormat> format) override;

    void onSessionFinished(long sessionId) override;

    // The devices of the same kind as device, fetched on the notifying thread.
    static olvar::velk::DeviceInfoList sameKindDevices(const olvar::velk::DeviceInfoPtr& device);

private:
    AdapterEvents* m_adapter;
};

}  // namespace OlvarUnified
