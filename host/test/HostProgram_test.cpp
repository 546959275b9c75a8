// The host program run whole, without a subcommand: the scenario, playback and a button press
// on the simulated devices, and every kind of bad input ending with a message and an error
// status, never with a crash, a hang or a success.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "HostProcess.h"

namespace olvar::test {
namespace {

namespace fs = std::filesystem;

enum class Exit { Zero, NonZero };

class HostProgram : public testing::Test {
protected:
    void SetUp() override {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::path(MDS_HOST_TEST_DIR) / "program" / test->name();
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }

    // A configuration directory of its own for each run, so that no run sees another's file.
    std::vector<std::string> withConfig(std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), {"--config-dir", (m_dir / ("config-" + std::to_string(++m_runs))).string()});
        return arguments;
    }

    // Runs the program and checks its exit status and its output (standard output and error
    // together) against regular expressions in which '.' also matches a line break.
    void expectRun(const std::vector<std::string>& arguments, Exit exit, const std::string& pattern,
                   const std::string& workingDirectory = {}) {
        expectRun(arguments, exit, std::vector<std::string>{pattern}, workingDirectory);
    }
    void expectRun(const std::vector<std::string>& arguments, Exit exit, const std::vector<std::string>& patterns,
                   const std::string& workingDirectory = {}) {
        const HostResult result = runHost(MDS_HOST_PROGRAM, arguments, {}, workingDirectory);
        const std::string context = "arguments: " + joined(arguments) + "\n" + result.out + result.err;
        // A crash, a signal or a sanitizer report fails whatever status was expected.
        ASSERT_GE(result.status, 0) << context;
        ASSERT_LE(result.status, 125) << context;
        ASSERT_FALSE(outputMatches(result, "(Address|UndefinedBehavior|Thread)Sanitizer")) << context;
        if (exit == Exit::Zero)
            EXPECT_EQ(result.status, 0) << context;
        else
            EXPECT_NE(result.status, 0) << context;
        for (const auto& pattern : patterns)
            EXPECT_TRUE(outputMatches(result, pattern)) << "expected /" << pattern << "/ in\n" << context;
    }

    fs::path write(const std::string& name, const std::string& text) {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    const fs::path& dir() const { return m_dir; }

private:
    static std::string joined(const std::vector<std::string>& words) {
        std::string text;
        for (const auto& word : words) text += (text.empty() ? "" : " ") + word;
        return text;
    }

    fs::path m_dir;
    int m_runs = 0;
};

TEST_F(HostProgram, PlaysTheScenarioRingtonesAndAButtonPressOnTheSimulatedDevices) {
    expectRun(withConfig({}), Exit::Zero,
              std::vector<std::string>{
                  "Feature set 3100 started.*DeviceRemoved.*DeviceAdded.*Feature set 3100 stopped.*Unloaded the module",
                  "current: Headset Earphone.*current speaker: Built-in Speakers.*current speaker: Headset Earphone.*"
                  "button: answer-call on USB.VID_0B0E&PID_0348"});
    expectRun(withConfig({"--play", MDS_HOST_RINGTONE}), Exit::Zero,
              "Playing .*host-ringtone.wav on [^:]+: session 0.*SoundPlayFinished 0.*Feature set 3100 stopped");
    expectRun(withConfig({"--play", MDS_HOST_RINGTONE, "--all-ringers"}), Exit::Zero,
              "on all ringers: sessions 0 1.*SoundPlayFinished [01].*SoundPlayFinished [01].*Feature set 3100 stopped");
}

TEST_F(HostProgram, AnswersHelpAndRejectsBadOptions) {
    expectRun({"--help"}, Exit::Zero, "Usage: mediadevice-host");
    expectRun({"--bogus"}, Exit::NonZero, "not expected: --bogus");
    expectRun({"--backend", "bogus"}, Exit::NonZero, "--backend: bogus not in");
    expectRun(withConfig({"--set", "HeadsetPreference=PreferOld\nInjected=1"}), Exit::NonZero,
              "--set takes a single line");
    expectRun({"--config-dir", "/dev/null"}, Exit::NonZero, "configuration directory /dev/null is not a writable");
}

TEST_F(HostProgram, ReportsAModuleItCannotUse) {
    expectRun(withConfig({"--module", (dir() / "no-such-module.so").string()}), Exit::NonZero,
              "cannot load module .*no-such-module.so");
    // A library without the entry point: the device-manager library is as good as any.
    expectRun(withConfig({"--module", MDS_LIBRARY_WITHOUT_ENTRY}), Exit::NonZero,
              "has no entry point InjectMediaDeviceService");
    // A bare name is a file of the working folder, not a search of the library path.
    expectRun(withConfig({"--module", "late-events.scenario"}), Exit::NonZero,
              "cannot load module \\./late-events.scenario", MDS_HOST_TESTDATA_DIR);
}

TEST_F(HostProgram, RejectsScenarioFilesItCannotPlay) {
    expectRun(withConfig({"--scenario", write("unknown-button.scn", "at 10ms button volume-sideways HW\n").string()}),
              Exit::NonZero, "scenario button 'volume-sideways'");
    expectRun(withConfig({"--scenario", "/dev/zero"}), Exit::NonZero, "scenario /dev/zero is not a regular file");
    expectRun(withConfig({"--scenario", dir().string()}), Exit::NonZero, "is not a regular file");
    std::string padding;
    for (int i = 0; i < 16384; ++i)
        padding += "# padding padding padding padding padding padding padding padding padding\n";
    expectRun(withConfig({"--scenario", write("huge.scenario", padding).string()}), Exit::NonZero,
              "is larger than 1048576 bytes");
    expectRun(withConfig({"--scenario", std::string(MDS_HOST_TESTDATA_DIR) + "/late-events.scenario"}), Exit::NonZero,
              "has events after 10 minutes");
}

TEST_F(HostProgram, ReportsAConfigurationItCouldNotSave) {
    // The configuration file's place is taken by a directory: the save fails at the end.
    const fs::path config = dir() / "unsavable-config";
    fs::create_directories(config / "host-config.txt");
    expectRun({"--config-dir", config.string()}, Exit::NonZero,
              "Unloaded the module.*could not save the configuration to .*host-config.txt");
}

}  // namespace
}  // namespace olvar::test
