// Headset buttons reaching the service through the telephony stand-in, on the services
// dispatcher, with a recording media-device feature set behind the service.
#include <gtest/gtest.h>

#include <algorithm>

#include "MediaDeviceServiceImplTestSupport.h"
#include "ModuleTestNames.h"
#include "OlvarUnified/AccessoryEventNames.h"
#include "OlvarUnified/TelephonyServiceStandIn.h"
#include "olvar/LogCapture.h"

namespace olvar::test {
namespace {

using olvar::log::LogCapture;

const char* const kHeadsetOtherCase = "usb\\vid_0b0e&pid_0348&mi_00";
const char* const kDongle = "USB\\VID_047F&PID_AE11&MI_03";  // buttons only, no speaker of its own
const char* const kHandlerLogger = "MediadeviceService-AccessoriesEventHandler";

class AccessoriesEventHandling : public DirectServiceFixture {
protected:
    void SetUp() override {
        DirectServiceFixture::SetUp();
        ServiceFactory::getInstance()->registerService<TelephonyService>(telephony);
        withFeatureSet();
        createService();
        features->plugged[kSpeaker] = listOf({device({"headset-spk", kHeadsetHardwareId})});
        features->plugged[kMicrophone] = listOf({device({"headset-mic", kHeadsetHardwareId, kMicrophone})});
    }

    // Makes a fresh device, selected, the only preferred speaker: the current speaker.
    void currentSpeaker(const std::string& hardwareId, int volume) {
        run([&] { push(kSpeaker, {device({"current-spk", hardwareId, kSpeaker, true, true, volume})}); });
        features->calls.clear();
    }
    void press(const std::string& name, const std::string& hardwareId, const std::string& argument = {}) {
        ASSERT_TRUE(telephony->fireByName(name, hardwareId, argument)) << name;
        run([] {});  // the event was queued first, so it has run
    }

    std::shared_ptr<TelephonyServiceStandIn> telephony =
        std::make_shared<TelephonyServiceStandIn>(factory->getServicesDispatcher());
};

TEST_F(AccessoriesEventHandling, AnEventFromTheCurrentSpeakerLogsOnlyItsOwnLine) {
    currentSpeaker(kHeadsetHardwareId, 50);
    LogCapture log(OLVAR_LOG_DEBUG, kHandlerLogger);
    press("make-call", kHeadsetHardwareId);
    EXPECT_TRUE(features->calls.empty());
    const auto lines = log.atLevel(OLVAR_LOG_DEBUG);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].message, std::string("onMakeCallEvent() with device hardwareId ") + kHeadsetHardwareId);
}

// Letter case makes another device for the handler; the service's matching then finds the
// headset's endpoints, microphone first.
TEST_F(AccessoriesEventHandling, EveryCallButtonSendsAnotherDeviceToTheServiceSelection) {
    const std::pair<const char*, const char*> buttons[] = {
        {"make-call", "onMakeCallEvent() with device hardwareId "},
        {"answer-call", "onAnswerCallEvent() with device hardwareId "},
        {"active-device-changed", "onActiveDeviceChangedEvent() with device hardwareId "},
        {"voicemail", "onVoicemailEvent() with device hardwareId "},
        {"redial", "onRedialEvent() with device hardwareId "},
        {"resume", "onResumeEvent() with device hardwareId "},
    };
    currentSpeaker(kHeadsetHardwareId, 50);
    for (const auto& [name, line] : buttons) {
        LogCapture log(OLVAR_LOG_DEBUG, kHandlerLogger);
        press(name, kHeadsetOtherCase);
        EXPECT_EQ(features->calls, (Strings{"setCurrentMediaDevice 2 headset-mic", "setCurrentMediaDevice 0 headset-spk"}))
            << name;
        EXPECT_EQ(log.count(OLVAR_LOG_DEBUG, line + std::string(kHeadsetOtherCase)), 1u) << name;
        EXPECT_EQ(log.count(OLVAR_LOG_DEBUG, std::string("changeActiveDevice() with device hardwareId ") +
                                                 kHeadsetOtherCase), 1u) << name;
        features->calls.clear();
    }

    LogCapture log(OLVAR_LOG_DEBUG, kHandlerLogger);
    press("make-call-with-digits", kHeadsetOtherCase, "5551234");
    EXPECT_EQ(features->calls.size(), 2u);
    EXPECT_EQ(log.count(OLVAR_LOG_DEBUG, std::string("onMakeCallWithDigitsEvent() with device hardwareId ") +
                                             kHeadsetOtherCase + "and number to dial 5551234"), 1u);
}

TEST_F(AccessoriesEventHandling, NoCurrentSpeakerMeansNoSelection) {
    press("answer-call", kDongle);
    press("volume-up", kDongle);
    EXPECT_TRUE(features->calls.empty());
}

TEST_F(AccessoriesEventHandling, VolumeButtonsStepTheCurrentSpeakerWithinTheirBounds) {
    const struct {
        const char* button;
        int from;
        int to;
    } steps[] = {{"volume-down", 12, 10}, {"volume-down", 10, 10}, {"volume-down", 14, 10}, {"volume-down", 15, 10},
                 {"volume-down", 16, 11}, {"volume-up", 95, 100},   {"volume-up", 97, 100},   {"volume-up", 50, 55},
                 {"volume-up", 3, 8}};
    for (const auto& step : steps) {
        currentSpeaker("PCI\\VEN_1234&DEV_0001", step.from);
        press(step.button, kDongle);
        EXPECT_EQ(features->calls, Strings{"setMediaDeviceVolume 0 " + std::to_string(step.to) + " current-spk"})
            << step.button << " from " << step.from;
    }
}

TEST_F(AccessoriesEventHandling, AVolumeButtonOnAnAvailableSpeakerIsLeftToThatSpeaker) {
    currentSpeaker("PCI\\VEN_1234&DEV_0001", 50);
    press("volume-up", kHeadsetOtherCase);
    press("volume-down", kHeadsetHardwareId);
    EXPECT_TRUE(features->calls.empty());
}

TEST_F(AccessoriesEventHandling, DefaultAudioPathPassesKnownClassesAndZeroForOthers) {
    press("set-default-audio-path", kHeadsetHardwareId, "7");
    press("set-default-audio-path", kHeadsetHardwareId, "0");
    press("set-default-audio-path", kHeadsetHardwareId, "2");
    EXPECT_EQ(features->calls,
              (Strings{"setCurrentMediaDeviceByAccessoryType 0", "setCurrentMediaDeviceByAccessoryType 2"}));
}

TEST_F(AccessoriesEventHandling, IgnoredEventsChangeAndLogNothing) {
    currentSpeaker("PCI\\VEN_1234&DEV_0001", 50);
    LogCapture log(OLVAR_LOG_TRACE, kHandlerLogger);
    const Strings handled = {"make-call", "answer-call", "volume-up", "volume-down", "active-device-changed",
                             "set-default-audio-path", "make-call-with-digits", "voicemail", "redial", "resume",
                             "headset-control-update"};
    for (const auto& name : AccessoryEventNames::all())
        if (std::find(handled.begin(), handled.end(), name) == handled.end()) press(name, kDongle, "x");
    EXPECT_TRUE(features->calls.empty());
    EXPECT_TRUE(log.atLevel(OLVAR_LOG_DEBUG).empty());

    press("headset-control-update", kDongle, "4,1");
    EXPECT_TRUE(features->calls.empty());
    EXPECT_EQ(log.count(OLVAR_LOG_DEBUG, "onGetHeadsetControlUpdate(): type 4, value 1"), 1u);
}

TEST_F(AccessoriesEventHandling, AfterTheServiceIsDestroyedAnEventReachesNothing) {
    currentSpeaker("PCI\\VEN_1234&DEV_0001", 50);
    EXPECT_EQ(telephony->registeredCount(), 1u);
    run([&] { service.reset(); });
    EXPECT_EQ(telephony->registeredCount(), 0u);
    EXPECT_EQ(telephony->calls().count("unregisterAccessoriesEvents"), 1u);
    press("make-call", kDongle);
    press("volume-up", kDongle);
    EXPECT_TRUE(features->calls.empty());
}

// Two services in turn (a module injected twice): only the live one hears the buttons.
TEST_F(AccessoriesEventHandling, ASecondServiceRegistersItsOwnHandler) {
    std::shared_ptr<MediaDeviceServiceImpl> second;
    run([&] { second = std::make_shared<MediaDeviceServiceImpl>(factory); });
    EXPECT_EQ(telephony->registeredCount(), 2u);
    run([&] { second.reset(); });
    EXPECT_EQ(telephony->registeredCount(), 1u);
}

}  // namespace
}  // namespace olvar::test
