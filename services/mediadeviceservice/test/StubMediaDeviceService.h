// A service base with inert operations, so tests can drive the stored properties and the
// fires of MediaDeviceServiceBaseImpl without an adapter.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "objects/mediaDeviceService/generated/MediaDeviceServiceBaseImpl.h"

namespace olvar::test {

using namespace ::OlvarUnified;

class StubMediaDeviceService : public MediaDeviceServiceBaseImpl {
public:
    using MediaDeviceServiceBaseImpl::MediaDeviceServiceBaseImpl;

    // The fires are the owner's; tests act as the owner.
#define MDS_PROPERTY(Name, Type) using MediaDeviceServiceBaseImpl::fireOn##Name##Changed;
#include "objects/mediaDeviceService/MediaDeviceServiceProperties.def"

    using MediaDeviceType = MediaDeviceTypeEnum::MediaDeviceType;
    using Device = std::shared_ptr<MediaDevice>;
    using SessionIds = std::shared_ptr<std::vector<long>>;

    Device getCurrentOutputDevice() override { return {}; }
    Device getCurrentInputDevice() override { return {}; }
    Device getCurrentRingerDevice() override { return {}; }
    Device getCurrentCaptureDevice() override { return {}; }
    DeviceList getAvailableOutputDevices() override { return {}; }
    DeviceList getAvailableInputDevices() override { return {}; }
    DeviceList getAvailableRingerDevices() override { return {}; }
    DeviceList getAvailableCaptureDevices() override { return {}; }
    int getPluggedInPositionInPreferredDeviceList(MediaDeviceType, Device) override { return -1; }
    bool persistPreferredPreferredDeviceList() override { return false; }
    DeviceList getPreferredDeviceList(MediaDeviceType) override { return {}; }
    DeviceList getAvailableDeviceList(MediaDeviceType) override { return {}; }
    Device getCurrentDevice(MediaDeviceType) override { return {}; }
    Device getDeviceByHardwareId(std::wstring) override { return {}; }
    float getCurrentInputDevicePeak() override { return 0; }
    std::shared_ptr<std::vector<std::shared_ptr<CompositeMediaDevice>>> getCompositeDeviceList() override { return {}; }
    bool initialisePeak(Device) override { return false; }
    void unInitialisePeak(Device) override {}
    float getInputPeak(Device) override { return 0; }
    void modifyPreferredDeviceList(MediaDeviceType, DeviceList, DeviceList) override {}
    void setCurrentMediaDevice(MediaDeviceType, Device) override {}
    void setDeviceVolume(MediaDeviceType, Device, int) override {}
    void setCurrentDeviceVolume(MediaDeviceType, int) override {}
    void setMediaDeviceSelected(Device) override {}
    bool setCaptureDevice(std::string) override { return false; }
    std::string getCaptureDevice() override { return {}; }
    void addLocalVideoPreviewWindow(void*) override {}
    void removeLocalVideoPreviewWindow(void*) override {}
    long playWaveFileOnCurrentDevice(std::string) override { return -1; }
    long playWaveFile(std::string, std::string, int, bool) override { return -1; }
    long playWaveFile(std::string, std::string, int) override { return -1; }
    long playWaveFile(std::string, std::string) override { return -1; }
    void stopWaveFilePlayout(long) override {}
    void stopAllWaveFilePlayout() override {}
    bool isAudioFileSupported(std::string) override { return false; }
    long continueSoundOnNewDevice(int, std::string, int) override { return -1; }
    void setVolumeForPlayingSessions(int, SessionIds) override {}
    void PlayWaveFileOnAllRingerDevices(std::string, int, SessionIds, bool) override {}
    void StopWaveFileListPlayout(SessionIds) override {}
    void SetAllRingerDeviceVolume(int) override {}
    void setPlayRingerOnAllDevices() override {}
    void persistVolumes() override {}
    Device getPlayRingerOnAllDevices() override { return {}; }
    bool isPlayRingerOnAllDevices() override { return false; }
    void setCurrentMediaDeviceByAccessoryType(AccessoryDeviceTypeEnum::AccessoryDeviceType) override {}
    void setCurrentMediaDeviceByHardwareId(std::wstring) override {}
    void SetUseRinger(bool) override {}

    using UnifiedBusinessObjectImpl::storedObserverCount;
};

}  // namespace olvar::test
