// The telephony side the device service drives: media-device and accessories feature sets,
// and the telephony service that reports headset buttons.
#pragma once

#include <map>
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

// Extra facts an accessory reports about itself (name -> value).
using AccessoryProperties = std::map<std::string, std::string>;

// Headset and speakerphone button events; each carries the hardware id of the device it
// happened on. Every text argument is passed by value.
class OLVAR_API AccessoriesEvents : public UnifiedCallback {
public:
    std::string getInterfaceName() override { return "AccessoriesEvents"; }

    virtual void onMakeCallEvent(std::string hardwareId) = 0;
    virtual void onAnswerCallEvent(std::string hardwareId) = 0;
    virtual void onEndCallEvent(std::string hardwareId) = 0;
    virtual void onVolumeUpEvent(std::string hardwareId) = 0;
    virtual void onVolumeDownEvent(std::string hardwareId) = 0;
    virtual void onActiveDeviceChangedEvent(std::string hardwareId) = 0;
    virtual void onSetDefaultAudioPathEvent(std::string hardwareId, int accessoryType) = 0;
    virtual void onMakeCallWithDigitsEvent(std::string hardwareId, std::string numberToDial) = 0;
    virtual void onAccessoriesListChangedEvent() = 0;
    virtual void onVoicemailEvent(std::string hardwareId) = 0;
    virtual void onRedialEvent(std::string hardwareId) = 0;
    virtual void onResumeEvent(std::string hardwareId) = 0;
    virtual void onHoldEvent(std::string hardwareId) = 0;
    virtual void onTransferCallEvent(std::string hardwareId, std::string callId, std::string target) = 0;
    virtual void onMuteEvent(std::string hardwareId) = 0;
    virtual void onUnmuteEvent(std::string hardwareId) = 0;
    virtual void onRejectCallEvent(std::string hardwareId) = 0;
    virtual void onFlashEvent(std::string hardwareId) = 0;
    virtual void onAccessoryPropertiesEvent(std::string hardwareId, std::shared_ptr<AccessoryProperties> properties) = 0;
    virtual void onSendDigitEvent(std::string hardwareId, std::string digit) = 0;
    virtual void onAccessoryRemovedEvent(std::string hardwareId) = 0;
    virtual void onFirmwareVersionEvent(std::string hardwareId, std::string version) = 0;
    virtual void onGetHeadsetControlUpdate(std::string hardwareId, int type, int value) = 0;
    virtual void onBatteryLevelEvent(std::string hardwareId, std::string level) = 0;
    virtual void onSpeedDialEvent(std::string hardwareId, std::string entry) = 0;
    virtual void onConferenceEvent(std::string hardwareId) = 0;
};

class OLVAR_API TelephonyService : public HostService {
public:
    // The service keeps no handler alive: a handler stays registered while others own it.
    virtual void registerAccessoriesEvents(std::shared_ptr<AccessoriesEvents> events) = 0;
    // By identity, so that a handler can unregister from its destructor.
    virtual void unregisterAccessoriesEvents(const AccessoriesEvents* events) = 0;
};

}  // namespace OlvarUnified
