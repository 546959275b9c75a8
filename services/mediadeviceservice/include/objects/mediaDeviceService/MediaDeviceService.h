// The media device service as clients see it: published device lists and current devices,
// preferred-list management, ringer and wave playback, composite devices, video preview and
// the input peak meter. Every operation runs on the host's services dispatcher thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "OlvarUnified/UnifiedService.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"
#include "objects/compositeMediaDevice/CompositeMediaDevice.h"
#include "objects/localVideoPreviewDimensions/LocalVideoPreviewDimensions.h"
#include "objects/mediaDevice/MediaDevice.h"
#include "objects/mediaDeviceService/generated/MediaDeviceServiceNotifiers.h"
#include "objects/mediaDeviceService/generated/MediaDeviceServiceObserver.h"

namespace OlvarUnified {

// Header-only, like every interface of the module: a host that loads the module with dlopen
// gets its own copy of the type information and can cast to it without linking the module.
class MDS_EXPORT MediaDeviceService : public virtual UnifiedService {
public:
    virtual void addObserver(std::weak_ptr<MediaDeviceServiceObserver> observer) = 0;
    virtual void removeObserver(std::weak_ptr<MediaDeviceServiceObserver> observer) = 0;
    virtual std::shared_ptr<MediaDeviceServiceNotifiers> getMediaDeviceServiceNotifiers() = 0;

    // -- Published properties: each getter, and each preferred list's setter after its getter
    // BEGIN GENERATED from MediaDeviceServiceProperties.def, in table order.
    virtual DeviceList getPreferredOutputDevices() = 0;
    virtual void setPreferredOutputDevices(DeviceList value) = 0;
    virtual DeviceList getPreferredInputDevices() = 0;
    virtual void setPreferredInputDevices(DeviceList value) = 0;
    virtual DeviceList getPreferredRingerDevices() = 0;
    virtual void setPreferredRingerDevices(DeviceList value) = 0;
    virtual DeviceList getPreferredCaptureDevices() = 0;
    virtual void setPreferredCaptureDevices(DeviceList value) = 0;
    virtual std::shared_ptr<LocalVideoPreviewDimensions> getSelfViewVideoDimensions() = 0;
    virtual void* getLocalVideoPreviewWindowRemoved() = 0;
    virtual void* getLocalVideoPreviewWindowAdded() = 0;
    virtual std::int32_t getCurrentSpeakerDeviceVolume() = 0;
    virtual std::int32_t getSoundPlayFinished() = 0;
    virtual std::shared_ptr<MediaDevice> getCurrentSpeaker() = 0;
    virtual std::shared_ptr<MediaDevice> getCurrentMicrophone() = 0;
    virtual std::shared_ptr<MediaDevice> getCurrentRinger() = 0;
    virtual std::shared_ptr<MediaDevice> getCurrentVideo() = 0;
    virtual bool getIsSpeakerDeviceAvailable() = 0;
    virtual bool getIsMicrophoneDeviceAvailable() = 0;
    virtual bool getIsRingerDeviceAvailable() = 0;
    virtual bool getIsVideoDeviceAvailable() = 0;
    virtual std::int32_t getDeviceAdded() = 0;
    virtual std::int32_t getDeviceRemoved() = 0;
    // END GENERATED

    // The operations below are grouped by capability with one comment per run. Their order is
    // the order of the virtual table that other modules are built against, so a capability can
    // come back further down; new operations go at the end.

    // -- Current devices
    virtual std::shared_ptr<MediaDevice> getCurrentOutputDevice() = 0;
    virtual std::shared_ptr<MediaDevice> getCurrentInputDevice() = 0;
    virtual std::shared_ptr<MediaDevice> getCurrentRingerDevice() = 0;
    virtual std::shared_ptr<MediaDevice> getCurrentCaptureDevice() = 0;

    // -- Device lists
    virtual DeviceList getAvailableOutputDevices() = 0;
    virtual DeviceList getAvailableInputDevices() = 0;
    virtual DeviceList getAvailableRingerDevices() = 0;
    virtual DeviceList getAvailableCaptureDevices() = 0;

    // -- Preferred lists
    virtual int getPluggedInPositionInPreferredDeviceList(MediaDeviceTypeEnum::MediaDeviceType type,
                                                          std::shared_ptr<MediaDevice> device) = 0;
    virtual bool persistPreferredPreferredDeviceList() = 0;
    virtual DeviceList getPreferredDeviceList(MediaDeviceTypeEnum::MediaDeviceType type) = 0;

    // -- Device lists and current devices, by type or hardware id
    virtual DeviceList getAvailableDeviceList(MediaDeviceTypeEnum::MediaDeviceType type) = 0;
    virtual std::shared_ptr<MediaDevice> getCurrentDevice(MediaDeviceTypeEnum::MediaDeviceType type) = 0;
    virtual std::shared_ptr<MediaDevice> getDeviceByHardwareId(std::wstring hardwareId) = 0;

    // -- Peak, with the composite-device list between its operations
    virtual float getCurrentInputDevicePeak() = 0;
    virtual std::shared_ptr<std::vector<std::shared_ptr<CompositeMediaDevice>>> getCompositeDeviceList() = 0;
    virtual bool initialisePeak(std::shared_ptr<MediaDevice> device) = 0;
    virtual void unInitialisePeak(std::shared_ptr<MediaDevice> device) = 0;
    virtual float getInputPeak(std::shared_ptr<MediaDevice> device) = 0;

    // -- Preferred lists: reordering
    virtual void modifyPreferredDeviceList(MediaDeviceTypeEnum::MediaDeviceType type, DeviceList first,
                                           DeviceList second) = 0;

    // -- Current devices: selection and volume
    virtual void setCurrentMediaDevice(MediaDeviceTypeEnum::MediaDeviceType type,
                                       std::shared_ptr<MediaDevice> device) = 0;
    virtual void setDeviceVolume(MediaDeviceTypeEnum::MediaDeviceType type, std::shared_ptr<MediaDevice> device,
                                 int volume) = 0;
    virtual void setCurrentDeviceVolume(MediaDeviceTypeEnum::MediaDeviceType type, int volume) = 0;
    virtual void setMediaDeviceSelected(std::shared_ptr<MediaDevice> device) = 0;

    // -- Composite devices and preview: the capture device and the self-view windows
    virtual bool setCaptureDevice(std::string name) = 0;
    virtual std::string getCaptureDevice() = 0;
    virtual void addLocalVideoPreviewWindow(void* window) = 0;
    virtual void removeLocalVideoPreviewWindow(void* window) = 0;

    // -- Ringer and playback; session ids are -1 when nothing was started
    virtual long playWaveFileOnCurrentDevice(std::string file) = 0;
    virtual long playWaveFile(std::string file, std::string device, int volume, bool loop) = 0;
    virtual long playWaveFile(std::string file, std::string device, int volume) = 0;
    virtual long playWaveFile(std::string file, std::string device) = 0;
    virtual void stopWaveFilePlayout(long sessionId) = 0;
    virtual void stopAllWaveFilePlayout() = 0;
    virtual bool isAudioFileSupported(std::string file) = 0;
    virtual long continueSoundOnNewDevice(int sessionId, std::string device, int number) = 0;
    virtual void setVolumeForPlayingSessions(int volume, std::shared_ptr<std::vector<long>> sessionIds) = 0;
    virtual void PlayWaveFileOnAllRingerDevices(std::string file, int volume,
                                                std::shared_ptr<std::vector<long>> sessionIds, bool loop) = 0;
    virtual void StopWaveFileListPlayout(std::shared_ptr<std::vector<long>> sessionIds) = 0;
    virtual void SetAllRingerDeviceVolume(int volume) = 0;
    virtual void setPlayRingerOnAllDevices() = 0;
    virtual void persistVolumes() = 0;
    virtual std::shared_ptr<MediaDevice> getPlayRingerOnAllDevices() = 0;
    virtual bool isPlayRingerOnAllDevices() = 0;

    // -- Current devices: chosen by a headset
    virtual void setCurrentMediaDeviceByAccessoryType(AccessoryDeviceTypeEnum::AccessoryDeviceType accessoryType) = 0;
    virtual void setCurrentMediaDeviceByHardwareId(std::wstring hardwareId) = 0;

    // -- Ringer and playback: whether the ringer plays at all
    virtual void SetUseRinger(bool useRinger) = 0;

    std::string getInterfaceName() override { return "MediaDeviceService"; }

    using UnifiedService::addObserver;
    using UnifiedService::removeObserver;
};

}  // namespace OlvarUnified
