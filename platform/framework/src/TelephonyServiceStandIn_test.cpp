// The telephony stand-in: handlers held without being kept alive, events delivered on the
// services dispatcher, and every button reachable by name.
#include "OlvarUnified/TelephonyServiceStandIn.h"

#include <gtest/gtest.h>

#include <atomic>

#include "OlvarUnified/AccessoryEventNames.h"
#include "OlvarUnified/ServicesDispatcher.h"

using namespace OlvarUnified;

namespace olvar::test {
namespace {

// Records "operation hardwareId [arguments]" per call; checks the thread of each call.
class RecordingAccessoriesEvents : public AccessoriesEvents {
public:
    explicit RecordingAccessoriesEvents(ServicesDispatcher& dispatcher) : m_dispatcher(dispatcher) {}

    std::vector<std::string> calls;
    std::atomic<int> offDispatcher{0};
    std::function<void()> onMakeCall;  // runs inside onMakeCallEvent

    void onMakeCallEvent(std::string id) override {
        note("onMakeCallEvent " + id);
        if (onMakeCall) onMakeCall();
    }
    void onAnswerCallEvent(std::string id) override { note("onAnswerCallEvent " + id); }
    void onEndCallEvent(std::string id) override { note("onEndCallEvent " + id); }
    void onVolumeUpEvent(std::string id) override { note("onVolumeUpEvent " + id); }
    void onVolumeDownEvent(std::string id) override { note("onVolumeDownEvent " + id); }
    void onActiveDeviceChangedEvent(std::string id) override { note("onActiveDeviceChangedEvent " + id); }
    void onSetDefaultAudioPathEvent(std::string id, int type) override {
        note("onSetDefaultAudioPathEvent " + id + " " + std::to_string(type));
    }
    void onMakeCallWithDigitsEvent(std::string id, std::string number) override {
        note("onMakeCallWithDigitsEvent " + id + " " + number);
    }
    void onAccessoriesListChangedEvent() override { note("onAccessoriesListChangedEvent"); }
    void onVoicemailEvent(std::string id) override { note("onVoicemailEvent " + id); }
    void onRedialEvent(std::string id) override { note("onRedialEvent " + id); }
    void onResumeEvent(std::string id) override { note("onResumeEvent " + id); }
    void onHoldEvent(std::string id) override { note("onHoldEvent " + id); }
    void onTransferCallEvent(std::string id, std::string, std::string target) override {
        note("onTransferCallEvent " + id + " " + target);
    }
    void onMuteEvent(std::string id) override { note("onMuteEvent " + id); }
    void onUnmuteEvent(std::string id) override { note("onUnmuteEvent " + id); }
    void onRejectCallEvent(std::string id) override { note("onRejectCallEvent " + id); }
    void onFlashEvent(std::string id) override { note("onFlashEvent " + id); }
    void onAccessoryPropertiesEvent(std::string id, std::shared_ptr<AccessoryProperties> properties) override {
        note("onAccessoryPropertiesEvent " + id + (properties ? "" : " without properties"));
    }
    void onSendDigitEvent(std::string id, std::string digit) override { note("onSendDigitEvent " + id + " " + digit); }
    void onAccessoryRemovedEvent(std::string id) override { note("onAccessoryRemovedEvent " + id); }
    void onFirmwareVersionEvent(std::string id, std::string v) override { note("onFirmwareVersionEvent " + id + " " + v); }
    void onGetHeadsetControlUpdate(std::string id, int type, int value) override {
        note("onGetHeadsetControlUpdate " + id + " " + std::to_string(type) + " " + std::to_string(value));
    }
    void onBatteryLevelEvent(std::string id, std::string level) override { note("onBatteryLevelEvent " + id + " " + level); }
    void onSpeedDialEvent(std::string id, std::string entry) override { note("onSpeedDialEvent " + id + " " + entry); }
    void onConferenceEvent(std::string id) override { note("onConferenceEvent " + id); }

private:
    void note(std::string call) {
        if (!m_dispatcher.checkForUpdateAccess()) ++offDispatcher;
        calls.push_back(std::move(call));
    }
    ServicesDispatcher& m_dispatcher;
};

class StandInTelephony : public ::testing::Test {
protected:
    std::shared_ptr<RecordingAccessoriesEvents> handler() {
        return std::make_shared<RecordingAccessoriesEvents>(*dispatcher);
    }
    void press(const std::string& name, const std::string& argument = {}) {
        ASSERT_TRUE(telephony.fireByName(name, "HW", argument)) << name;
    }

    std::shared_ptr<ServicesDispatcher> dispatcher = std::make_shared<ServicesDispatcher>();
    TelephonyServiceStandIn telephony{dispatcher};
};

TEST_F(StandInTelephony, KeepsNoHandlerAliveAndForgetsOneThatWentAway) {
    auto first = handler();
    auto second = handler();
    telephony.registerAccessoriesEvents(first);
    telephony.registerAccessoriesEvents(second);
    telephony.registerAccessoriesEvents(first);  // twice is once
    EXPECT_EQ(telephony.registeredCount(), 2u);

    std::weak_ptr<RecordingAccessoriesEvents> gone = first;
    first.reset();
    EXPECT_TRUE(gone.expired()) << "the stand-in kept the handler alive";
    press("redial");
    dispatcher->drain();
    EXPECT_EQ(second->calls, std::vector<std::string>{"onRedialEvent HW"});
    EXPECT_EQ(telephony.registeredCount(), 1u);
}

TEST_F(StandInTelephony, UnregistersByIdentityOnly) {
    auto kept = handler();
    auto dropped = handler();
    telephony.registerAccessoriesEvents(kept);
    telephony.registerAccessoriesEvents(dropped);
    telephony.unregisterAccessoriesEvents(dropped.get());
    telephony.unregisterAccessoriesEvents(nullptr);
    press("voicemail");
    dispatcher->drain();
    EXPECT_EQ(kept->calls.size(), 1u);
    EXPECT_TRUE(dropped->calls.empty());
}

TEST_F(StandInTelephony, DeliversOnTheDispatcherInFiringOrder) {
    auto events = handler();
    telephony.registerAccessoriesEvents(events);
    press("volume-up");
    press("volume-down");
    press("make-call-with-digits", "5551234");
    dispatcher->drain();
    EXPECT_EQ(events->calls, (std::vector<std::string>{"onVolumeUpEvent HW", "onVolumeDownEvent HW",
                                                       "onMakeCallWithDigitsEvent HW 5551234"}));
    EXPECT_EQ(events->offDispatcher, 0);
}

// A handler that unregisters while it is being called must not deadlock the stand-in.
TEST_F(StandInTelephony, AHandlerMayUnregisterWhileItIsCalled) {
    auto events = handler();
    events->onMakeCall = [&] { telephony.unregisterAccessoriesEvents(events.get()); };
    telephony.registerAccessoriesEvents(events);
    press("make-call");
    press("make-call");
    dispatcher->drain();
    EXPECT_EQ(events->calls.size(), 1u);
}

TEST_F(StandInTelephony, EveryNameReachesItsOwnOperationInInterfaceOrder) {
    auto events = handler();
    telephony.registerAccessoriesEvents(events);
    const auto names = AccessoryEventNames::all();
    ASSERT_EQ(names.size(), 26u);
    for (const auto& name : names) {
        if (name == "set-default-audio-path") press(name, "7");
        else if (name == "headset-control-update") press(name, "3,1");
        else press(name, "x");
    }
    dispatcher->drain();
    const std::vector<std::string> expected = {
        "onMakeCallEvent HW", "onAnswerCallEvent HW", "onEndCallEvent HW", "onVolumeUpEvent HW",
        "onVolumeDownEvent HW", "onActiveDeviceChangedEvent HW", "onSetDefaultAudioPathEvent HW 7",
        "onMakeCallWithDigitsEvent HW x", "onAccessoriesListChangedEvent", "onVoicemailEvent HW", "onRedialEvent HW",
        "onResumeEvent HW", "onHoldEvent HW", "onTransferCallEvent HW x", "onMuteEvent HW", "onUnmuteEvent HW",
        "onRejectCallEvent HW", "onFlashEvent HW", "onAccessoryPropertiesEvent HW", "onSendDigitEvent HW x",
        "onAccessoryRemovedEvent HW", "onFirmwareVersionEvent HW x", "onGetHeadsetControlUpdate HW 3 1",
        "onBatteryLevelEvent HW x", "onSpeedDialEvent HW x", "onConferenceEvent HW"};
    EXPECT_EQ(events->calls, expected);
}

TEST_F(StandInTelephony, RejectsUnknownNamesMalformedArgumentsAndAMissingDispatcher) {
    auto events = handler();
    telephony.registerAccessoriesEvents(events);
    EXPECT_FALSE(telephony.fireByName("volume-sideways", "HW"));
    EXPECT_FALSE(telephony.fireByName("set-default-audio-path", "HW", "seven"));
    EXPECT_FALSE(telephony.fireByName("set-default-audio-path", "HW", ""));
    EXPECT_FALSE(telephony.fireByName("headset-control-update", "HW", "3"));
    EXPECT_FALSE(telephony.fireByName("headset-control-update", "HW", "3,x"));
    dispatcher->drain();
    EXPECT_TRUE(events->calls.empty());

    TelephonyServiceStandIn unwired;
    unwired.registerAccessoriesEvents(events);
    EXPECT_FALSE(unwired.fireByName("make-call", "HW"));
}

}  // namespace
}  // namespace olvar::test
