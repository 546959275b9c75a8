// The media-device feature set: what the service asks of the adapter.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "OlvarUnified/FeatureSet.h"
#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class MDS_EXPORT MediaDeviceFeatureSet : public FeatureSet {
public:
    ~MediaDeviceFeatureSet() override = default;

    // Preferred lists.
    virtual void modifyPreferredDeviceList(MediaDeviceTypeEnum::MediaDeviceType type,
                                           PreferredMediaDeviceList orderedList, PreferredMediaDeviceList otherList) = 0;
    virtual bool persistPreferredDeviceList() = 0;

    // Selection, capture, volume, peak.
    virtual void setCurrentMediaDevice(MediaDeviceTypeEnum::MediaDeviceType type, PreferredMediaDevicePtr device) = 0;
    virtual bool setCaptureDevice(std::string selectionId) = 0;
    virtual std::string getCaptureDevice() = 0;
    virtual void setMediaDeviceVolume(MediaDeviceTypeEnum::MediaDeviceType type, PreferredMediaDevicePtr device,
                                      int volume) = 0;
    virtual float getInputDevicePeak(PreferredMediaDevicePtr device) = 0;
    virtual void initialisePeak(PreferredMediaDevicePtr device) = 0;
    virtual void unInitialisePeak(PreferredMediaDevicePtr device) = 0;

    // Self-view preview windows.
    virtual void addLocalVideoPreviewWindow(void* window) = 0;
    virtual void removeLocalVideoPreviewWindow(void* window) = 0;

    // Wave playback.
    virtual long playWaveFile(std::string file, std::string device, int volume, bool loop) = 0;
    virtual void stopWaveFilePlayout(long sessionId) = 0;
    virtual void stopAllWaveFilePlayout() = 0;
    virtual bool isAudioFileSupported(std::string file) = 0;
    virtual long continueSoundOnNewDevice(int sessionId, std::string device, int unused) = 0;
    virtual void setVolumeForPlayingSessions(int volume, std::shared_ptr<std::vector<long>> sessionIds) = 0;

    virtual int getSpeakerDeviceVolume(std::string selectionId) = 0;
    virtual void setUseRinger(bool useRinger) = 0;
    virtual void setCurrentMediaDeviceByAccessoryType(AccessoryDeviceTypeEnum::AccessoryDeviceType accessoryType) = 0;
    virtual void setCurrentMediaDeviceByHardwareId(const std::wstring& hardwareId) = 0;
    // The devices present now, as fresh published objects; never null.
    virtual DeviceList getPluginDevice(MediaDeviceTypeEnum::MediaDeviceType type) = 0;
};

}  // namespace OlvarUnified
