// The host's press against the sound server in the environment (the CI's, of either kind):
// a USB headset plugged beside a sink that has no bus ids, its buttons pressed as a user's
// headset would.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "HostProcess.h"
#include "PulseTestSupport.h"
#include "olvar/TemporaryDirectory.h"

namespace olvar::test {
namespace {

using nlohmann::json;

constexpr const char* kHeadsetHardwareId = "USB\\VID_0B0E&PID_0348";
const std::string kHeadsetIds = "device.bus=usb device.vendor.id=0b0e device.product.id=0348";
// The tests share the server and may run at once: each presses a headset of its own.
constexpr const char* kOtherHeadsetHardwareId = "USB\\VID_0B0E&PID_0349";
const std::string kOtherHeadsetIds = "device.bus=usb device.vendor.id=0b0e device.product.id=0349";
// A device of the same maker that is no speaker, such as a dongle.
constexpr const char* kDongleHardwareId = "USB\\VID_0B0E&PID_0410";

class HostOnSoundServer : public testing::Test {
protected:
    void SetUp() override { MDS_REQUIRE_PULSE_SERVER(); }

    HostResult host(std::vector<std::string> arguments) {
        // Other tests plug devices into the same server meanwhile: they join the lists at the end.
        arguments.insert(arguments.begin(), {"--backend", "pulse", "--set", "HeadsetPreference=PreferKnownDevice"});
        arguments.insert(arguments.end(), {"--config-dir", m_config.path()});
        HostResult result = runHost(MDS_HOST_PROGRAM, arguments);
        EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << result.err;
        return result;
    }
    json press(const std::string& event, const std::string& hardwareId) {
        const auto result = host({"press", event, hardwareId, "--json"});
        EXPECT_EQ(result.status, 0) << result.err;
        m_lastPress = result.out + result.err;
        return result.status == 0 ? json::parse(result.out) : json();
    }
    static std::string volumeOf(const std::string& sink) { return pactl("get-sink-volume " + sink).output; }

    olvar::TemporaryDirectory m_config{"mds-host-server"};
    std::string m_lastPress;  // what the last press printed, for a failure's message
};

TEST_F(HostOnSoundServer, AnswerCallOnTheHeadsetPutsItInUseBesideASinkWithoutBusIds) {
    const std::string headset = uniqueName("host_headset");
    LoadedModule plugged(nullSinkArguments(headset, kHeadsetIds));
    ASSERT_EQ(host({"prefer", "speaker", "ci_speakers", headset}).status, 0);

    const json pressed = press("answer-call", kHeadsetHardwareId);
    EXPECT_EQ(pressed.at("before").at("speaker"), "ci_speakers");
    EXPECT_EQ(pressed.at("after").at("speaker"), headset);
}

TEST_F(HostOnSoundServer, VolumeButtonsStepTheHeadsetInUseAndLeaveTheBuiltInAlone) {
    const std::string headset = uniqueName("host_volume_headset");
    LoadedModule plugged(nullSinkArguments(headset, kOtherHeadsetIds));
    ASSERT_EQ(pactl("set-sink-volume " + headset + " 60%").status, 0);
    ASSERT_TRUE(pactlShows("get-sink-volume " + headset, "60%"));
    ASSERT_EQ(host({"prefer", "speaker", headset, "ci_speakers"}).status, 0);
    const std::string builtIn = volumeOf("ci_speakers");

    // The headset is a speaker: its own volume buttons are its own business.
    EXPECT_EQ(press("volume-down", kOtherHeadsetHardwareId).at("after").at("speaker"), headset);
    EXPECT_NE(volumeOf(headset).find("60%"), std::string::npos) << volumeOf(headset);

    // A device that is no speaker steps the speaker in use.
    EXPECT_EQ(press("volume-down", kDongleHardwareId).at("after").at("speaker"), headset);
    EXPECT_TRUE(pactlShows("get-sink-volume " + headset, "55%")) << volumeOf(headset) << m_lastPress;
    EXPECT_EQ(volumeOf("ci_speakers"), builtIn);
}

// Whatever server PULSE_SERVER names, or none: the host runs and stops cleanly either way.
HostResult runOnAnyServer(std::vector<std::string> arguments) {
    olvar::TemporaryDirectory config{"mds-host-any-server"};
    arguments.insert(arguments.end(), {"--backend", "pulse", "--watch", "0", "--config-dir", config.path()});
    auto result = runHost(MDS_HOST_PROGRAM, arguments);
    EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << result.err;
    return result;
}

TEST(HostOnAnySoundServer, WatchesForNoTimeAndStops) {
    const auto result = runOnAnyServer({});
    EXPECT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_TRUE(outputMatches(
        result, "Feature set 3100 started.*Watching the sound server's devices for 0 s.*Feature set 3100 stopped"))
        << result.out << result.err;
}

TEST(HostOnAnySoundServer, MakesTheDeviceInUseTheServerDefault) {
    const auto result = runOnAnyServer({"--apply-defaults"});
    if (outputMatches(result, "no sound server yet")) GTEST_SKIP() << "no sound server";
    EXPECT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_TRUE(outputMatches(result, "Server default sink is now .*Feature set 3100 stopped"))
        << result.out << result.err;
}

}  // namespace
}  // namespace olvar::test
