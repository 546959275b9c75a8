// Headset and speakerphone buttons: whatever the user presses on an accessory makes it the
// current audio device of the service; its volume buttons step the current speaker's volume
// when the accessory is not itself a speaker. Events arrive on the services dispatcher.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "OlvarUnified/Telephony.h"

namespace OlvarUnified {

class MediaDeviceServiceImpl;
class UnifiedFactory;

class AccessoriesEventHandler : public AccessoriesEvents,
                                           public std::enable_shared_from_this<AccessoriesEventHandler> {
public:
    AccessoriesEventHandler(std::shared_ptr<UnifiedFactory> factory, MediaDeviceServiceImpl* service);
    ~AccessoriesEventHandler() override;

    // Registers this handler with the service given (an empty one registers nothing).
    void setTelephonyService(std::shared_ptr<TelephonyService> telephonyService);
    // The owning service is going away: later events reach nothing, and the telephony
    // service forgets this handler.
    void detach();

    void onMakeCallEvent(std::string hardwareId) override;
    void onAnswerCallEvent(std::string hardwareId) override;
    void onEndCallEvent(std::string) override {}
    void onVolumeUpEvent(std::string hardwareId) override;
    void onVolumeDownEvent(std::string hardwareId) override;
    void onActiveDeviceChangedEvent(std::string hardwareId) override;
    void onSetDefaultAudioPathEvent(std::string hardwareId, int accessoryType) override;
    void onMakeCallWithDigitsEvent(std::string hardwareId, std::string numberToDial) override;
    void onAccessoriesListChangedEvent() override {}
    void onVoicemailEvent(std::string hardwareId) override;
    void onRedialEvent(std::string hardwareId) override;
    void onResumeEvent(std::string hardwareId) override;
    void onHoldEvent(std::string) override {}
    void onTransferCallEvent(std::string, std::string, std::string) override {}
    void onMuteEvent(std::string) override {}
    void onUnmuteEvent(std::string) override {}
    void onRejectCallEvent(std::string) override {}
    void onFlashEvent(std::string) override {}
    void onAccessoryPropertiesEvent(std::string, std::shared_ptr<AccessoryProperties>) override {}
    void onSendDigitEvent(std::string, std::string) override {}
    void onAccessoryRemovedEvent(std::string) override {}
    void onFirmwareVersionEvent(std::string, std::string) override {}
    void onGetHeadsetControlUpdate(std::string hardwareId, int type, int value) override;
    void onBatteryLevelEvent(std::string, std::string) override {}
    void onSpeedDialEvent(std::string, std::string) override {}
    void onConferenceEvent(std::string) override {}

private:
    void changeActiveDeviceOn(const char* event, const std::string& hardwareId);
    void changeActiveDevice(const std::string& hardwareId);
    void stepSpeakerVolume(const std::string& hardwareId, int step);
    void releaseTelephonyService();

    std::shared_ptr<TelephonyService> m_telephonyService;
    std::shared_ptr<UnifiedFactory> m_factory;
    // Cleared by detach(); events and detach() both run on the services dispatcher.
    std::atomic<MediaDeviceServiceImpl*> m_service;
};

}  // namespace OlvarUnified
