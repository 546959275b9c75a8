// The device in use on the telephony side and the identities the accessories side is told,
// against the host's telephony stand-ins.
#include "featuresets/adapters/mediaDevice/core/CurrentDeviceSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "MirelCoreUtils/StringUtils.h"
#include "ModuleTestFixture.h"
#include "ModuleTestNames.h"
#include "featuresets/adapters/mediaDevice/accessories/AccessoryHardwareId.h"

namespace olvar::test {
namespace {

using enum MediaDeviceTypeEnum::MediaDeviceType;

const char* const kTold = "setCurrentAccessoryDevice";

class CurrentDeviceSelection : public ModuleTestFixture {
protected:
    using Type = MediaDeviceTypeEnum::MediaDeviceType;
    using Identities = OlvarUnified::CurrentDeviceSelection::Identities;
    using Identity = std::vector<std::wstring>;

    void SetUp() override {
        setUpHost();
        accessories->calls().clear();
    }

    OlvarUnified::CurrentDeviceSelection& selection() {
        if (!m_selection)
            m_selection = std::make_unique<OlvarUnified::CurrentDeviceSelection>(factory, settings, lock, identities);
        return *m_selection;
    }

    static PreferredMediaDevicePtr record(const std::string& selectionId, const std::string& hardwareId,
                                          const std::string& friendlyName, Type type = SPEAKER) {
        return std::make_shared<PreferredMediaDeviceImpl>(selectionId, hardwareId, selectionId, type, 50, "",
                                                          friendlyName, "", "");
    }
    std::vector<std::string> told() const { return accessories->calls().calls(); }

    AdapterSettings settings;
    olvar::Mutex lock;
    // What the module starts with: placeholder texts per type.
    Identities identities{{SPEAKER, {L"SPEAKER_HARDWAREID", L"SPEAKER_NAME"}},
                          {RINGER, {L"RINGER_HARDWAREID", L"RINGER_NAME"}},
                          {MICROPHONE, {L"MICROPHONE_HARDWAREID", L"MICROPHONE_NAME"}},
                          {CAMERA, {L"CAMERA_HARDWAREID", L"CAMERA_NAME"}}};

private:
    std::unique_ptr<OlvarUnified::CurrentDeviceSelection> m_selection;
};

TEST_F(CurrentDeviceSelection, PlaceholdersStandForEveryTypeNotSelectedYet) {
    selection().setCurrentDevice(MICROPHONE, record("mic", "HW-MIC", "Desk microphone", MICROPHONE));

    EXPECT_EQ(selection().currentIdentity(MICROPHONE), (Identity{L"HW-MIC", L"Desk microphone"}));
    EXPECT_EQ(selection().currentIdentity(SPEAKER), (Identity{L"SPEAKER_HARDWAREID", L"SPEAKER_NAME"}));
    // The speaker's placeholder never matches a real id, so the microphone is told as itself.
    EXPECT_EQ(told(), std::vector<std::string>{std::string(kTold) + " 3 0 HW-MIC Desk microphone"});
}

TEST_F(CurrentDeviceSelection, AHeadsetServingBothDirectionsIsToldAsOneAccessoryUnderTheSpeakersName) {
    const int accessory = AccessoryHardwareId::getAccessoryByHardwareId(MirelCoreUtils::toWideString(kHeadsetHardwareId));
    ASSERT_GE(accessory, 1) << "the headset is a known accessory";

    selection().setCurrentDevice(SPEAKER, record("spk", kHeadsetHardwareId, "Headset"));
    selection().setCurrentDevice(MICROPHONE, record("mic", kHeadsetHardwareId, "Headset microphone", MICROPHONE));
    selection().setCurrentDevice(MICROPHONE, record("builtin", "PCI\\BUILTIN", "Built-in", MICROPHONE));

    const std::string id = kHeadsetHardwareId;
    EXPECT_EQ(told(), (std::vector<std::string>{
                          std::string(kTold) + " 1 0 " + id + " Headset",
                          std::string(kTold) + " 3 " + std::to_string(accessory) + " " + id + " Headset",
                          std::string(kTold) + " 3 0 PCI\\BUILTIN Built-in",
                      }));
}

TEST_F(CurrentDeviceSelection, AnUnknownDeviceSharedByBothDirectionsIsNoAccessory) {
    selection().setCurrentDevice(SPEAKER, record("spk", "USB\\VID_FFFF&PID_0001", "Unknown"));
    selection().setCurrentDevice(MICROPHONE, record("mic", "USB\\VID_FFFF&PID_0001", "Unknown", MICROPHONE));
    EXPECT_EQ(told().back(), std::string(kTold) + " 3 0 USB\\VID_FFFF&PID_0001 Unknown");
}

TEST_F(CurrentDeviceSelection, WithoutTelephonyNothingIsRememberedAndVoicemailAcceptsTheSpeaker) {
    settings.m_telephonyEnabled = false;
    settings.m_telephonyP2PEnabled = false;
    telephony->audio()->setAccepts(false);

    EXPECT_TRUE(selection().switchDeviceInUse(SPEAKER, record("spk", "HW-SPK", "Speaker")));
    EXPECT_TRUE(told().empty());
    EXPECT_EQ(selection().currentIdentity(SPEAKER), (Identity{L"SPEAKER_HARDWAREID", L"SPEAKER_NAME"}));

    settings.m_voicemailEnabled = false;
    EXPECT_FALSE(selection().switchDeviceInUse(SPEAKER, record("spk", "HW-SPK", "Speaker")))
        << "without voicemail the telephony side's refusal stands";
}

TEST_F(CurrentDeviceSelection, TheTelephonySidesAnswerDecidesAndItsDeviceInUseIsRead) {
    EXPECT_TRUE(selection().switchDeviceInUse(MICROPHONE, record("mic", "HW-MIC", "Mic", MICROPHONE)));
    EXPECT_EQ(selection().getCurrentSelectionId(MICROPHONE), "mic");

    telephony->audio()->setAccepts(false);
    EXPECT_FALSE(selection().switchDeviceInUse(SPEAKER, record("spk", "HW-SPK", "Speaker")));
    // A ringer without a separate ringer device is accepted without asking.
    EXPECT_TRUE(selection().switchDeviceInUse(RINGER, record("spk", "HW-SPK", "Speaker", RINGER)));
    settings.m_useRinger = true;
    EXPECT_FALSE(selection().switchDeviceInUse(RINGER, record("spk", "HW-SPK", "Speaker", RINGER)));
}

// Each selection writes the id and the name under one lock: a reader never sees the id of one
// device with the name of the other, and the accessories side is told whole pairs only.
TEST_F(CurrentDeviceSelection, ConcurrentSelectionsLeaveWholeIdentityPairs) {
    constexpr int kRounds = 500;
    auto& chosen = selection();
    const auto a = record("a", "HW-A", "Name-A");
    const auto b = record("b", "HW-B", "Name-B");
    std::vector<std::thread> threads;
    for (const auto& device : {a, b})
        threads.emplace_back([&chosen, device] {
            for (int i = 0; i < kRounds; ++i) chosen.setCurrentDevice(SPEAKER, device);
        });
    int torn = 0;
    for (int i = 0; i < kRounds; ++i) {
        const auto identity = chosen.currentIdentity(SPEAKER);
        const bool whole = identity == Identity{L"HW-A", L"Name-A"} || identity == Identity{L"HW-B", L"Name-B"} ||
                           identity == Identity{L"SPEAKER_HARDWAREID", L"SPEAKER_NAME"};
        if (!whole) ++torn;
    }
    for (auto& thread : threads) thread.join();

    EXPECT_EQ(torn, 0);
    const auto calls = told();
    EXPECT_EQ(calls.size(), 2u * kRounds);
    for (const auto& call : calls)
        EXPECT_TRUE(call == std::string(kTold) + " 1 0 HW-A Name-A" || call == std::string(kTold) + " 1 0 HW-B Name-B")
            << call;
}

}  // namespace
}  // namespace olvar::test
