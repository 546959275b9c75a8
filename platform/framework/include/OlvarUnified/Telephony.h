// The telephony side the device service drives: media-device and accessories feature sets,
// and the telephony service that reports headset buttons.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "OlvarUnified/FeatureSet.h"
#include "OlvarUnified/HostService.h"
#include "OlvarUnified/SystemService.h"
#include "ravo/VideoTypes.h"

namespace OlvarUnified {

// Device types as the telephony side numbers them: 0 speaker, 1 ringer, 2 microphone, 3 camera.
class OLVAR_API AudioControl {
public:
    virtual ~AudioControl() = default;
    virtual bool setCurrentSpeaker(const std::string& selectionId) = 0;
    virtual bool setCurrentRinger(const std::string& selectionId) = 0;
    virtual bool setCurrentMicrophone(const std::string& selectionId) = 0;
    virtual std::string getCurrentDevice(int mediaDeviceType) = 0;
    virtual std::vector<std::string> getDeviceList(int mediaDeviceType) = 0;
};

class OLVAR_API VideoControl {
public:
    virtual ~VideoControl() = default;
    virtual bool setCaptureDevice(const std::string& selectionId) = 0;
    virtual std::string getCurrentCaptureDevice() = 0;
    virtual bool addPreviewWindow(void* window, olvar::ravo::VideoRenderObserver* observer) = 0;
    virtual bool removePreviewWindow(void* window) = 0;
};

class OLVAR_API RingerVolumeControl {
public:
    virtual ~RingerVolumeControl() = default;
    virtual bool setRingerVolume(int volume) = 0;
    virtual int getRingerVolume() = 0;
};

class OLVAR_API TelephonyMediaDeviceFeatureSet : public FeatureSet {
public:
    virtual void setCaptureDeviceAvailable(bool available) = 0;
    virtual std::shared_ptr<AudioControl> getAudioControl() = 0;
    virtual std::shared_ptr<VideoControl> getVideoControl() = 0;
    virtual std::shared_ptr<RingerVolumeControl> getRingerVolumeControl() = 0;
};

class OLVAR_API TelephonyAccessoriesFeatureSet : public FeatureSet {
public:
    // deviceKind: 1 speaker, 2 ringer, 3 microphone, 0 camera.
    virtual void setCurrentAccessoryDevice(int deviceKind, int accessoryType, const std::string& hardwareId,
                                           const std::string& name) = 0;
};

// Headset button events; each carries the hardware id of the device it happened on.
class OLVAR_API AccessoriesEvents : public UnifiedCallback {
public:
    std::string getInterfaceName() override { return "AccessoriesEvents"; }
};

class OLVAR_API TelephonyService : public HostService {
public:
    virtual void registerAccessoriesEvents(std::shared_ptr<AccessoriesEvents> events) = 0;
    virtual void unregisterAccessoriesEvents(std::shared_ptr<AccessoriesEvents> events) = 0;
};

}  // namespace OlvarUnified
