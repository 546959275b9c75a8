// The host program's subcommands, run as separate processes on the simulated backend, their
// JSON parsed back, and the preferred-device file checked between runs.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "HostProcess.h"

namespace olvar::test {
namespace {

using nlohmann::json;

constexpr const char* kHeadsetHardwareId = "USB\\VID_0B0E&PID_0348&MI_00";

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

class HostCommands : public testing::Test {
protected:
    void SetUp() override {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        m_config = std::filesystem::path(MDS_HOST_TEST_DIR) / "cli" / test->name();
        std::filesystem::remove_all(m_config);
        std::filesystem::create_directories(m_config);
    }

    HostResult host(std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), {"--config-dir", m_config.string()});
        HostResult result = runHost(MDS_HOST_PROGRAM, arguments);
        EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << result.err;
        // The service's objects are touched on the services dispatcher only.
        EXPECT_EQ(result.err.find("update access violation"), std::string::npos) << result.err;
        return result;
    }

    json hostJson(std::vector<std::string> arguments) {
        arguments.push_back("--json");
        const HostResult result = host(arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        return json::parse(result.out);
    }

    static const json& typeOf(const json& list, const std::string& type) {
        for (const auto& entry : list.at("types"))
            if (entry.at("type") == type) return entry;
        throw std::runtime_error("no type " + type);
    }

    static std::vector<std::string> selectionIds(const json& devices) {
        std::vector<std::string> ids;
        for (const auto& device : devices) ids.push_back(device.at("selectionId"));
        return ids;
    }

    std::filesystem::path preferredFile() const { return m_config / "deviceData4.properties"; }

    std::filesystem::path m_config;
};

TEST_F(HostCommands, ListShowsEveryTypeAsTextAndJson) {
    const HostResult text = host({"list"});
    ASSERT_EQ(text.status, 0) << text.err;
    for (const char* heading : {"Speakers\n", "Microphones\n", "Ringers\n", "Cameras\n"})
        EXPECT_NE(text.out.find(heading), std::string::npos) << heading;

    const json list = hostJson({"list"});
    ASSERT_EQ(list.at("types").size(), 4u);
    const json& speakers = typeOf(list, "speaker");
    EXPECT_EQ(selectionIds(speakers.at("available")), (std::vector<std::string>{"spk-builtin", "usb-headset-spk"}));
    int current = 0;
    for (const auto& device : speakers.at("preferred")) current += device.at("current").get<bool>() ? 1 : 0;
    EXPECT_EQ(current, 1);
    EXPECT_EQ(speakers.at("current").at("selectionId"), speakers.at("inUse"));
    EXPECT_TRUE(typeOf(list, "camera").at("current").at("pluggedIn").get<bool>());
}

TEST_F(HostCommands, PreferredOrderSurvivesIntoTheNextProcess) {
    const json preferred = hostJson({"prefer", "SPEAKER", "spk-builtin"});
    EXPECT_EQ(preferred.at("type"), "speaker");
    EXPECT_EQ(selectionIds(preferred.at("preferred")), (std::vector<std::string>{"spk-builtin", "usb-headset-spk"}));

    const json list = hostJson({"list"});
    EXPECT_EQ(selectionIds(typeOf(list, "speaker").at("preferred")),
              (std::vector<std::string>{"spk-builtin", "usb-headset-spk"}));
    EXPECT_EQ(typeOf(list, "speaker").at("inUse"), "spk-builtin");
    // The other types keep their order.
    EXPECT_EQ(selectionIds(typeOf(list, "ringer").at("preferred")).front(), "usb-headset-spk");

    // A device named by its name, then the text form.
    const HostResult back = host({"prefer", "speaker", "Headset Earphone"});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_NE(back.out.find("1. Headset Earphone [usb-headset-spk]"), std::string::npos) << back.out;
    EXPECT_EQ(selectionIds(typeOf(hostJson({"list"}), "speaker").at("preferred")).front(), "usb-headset-spk");
}

TEST_F(HostCommands, VolumeIsKeptAndSelectionIsReported) {
    const json volume = hostJson({"volume", "speaker", "spk-builtin", "35"});
    auto volumeOf = [](const json& devices) {
        for (const auto& device : devices)
            if (device.at("selectionId") == "spk-builtin") return device.at("volume").get<int>();
        return -1;
    };
    EXPECT_EQ(volumeOf(volume.at("preferred")), 35);
    EXPECT_EQ(volumeOf(typeOf(hostJson({"list"}), "speaker").at("preferred")), 35);

    const json selected = hostJson({"select", "microphone", "mic-builtin"});
    EXPECT_EQ(selected.at("inUse"), "mic-builtin");
    const HostResult text = host({"select", "microphone", "mic-builtin"});
    EXPECT_NE(text.out.find("telephony uses: mic-builtin"), std::string::npos) << text.out;
}

// Every mistake gives its status, one line on standard error, nothing on standard output
// and leaves the preferred-device file as it was, byte for byte; so does a command that
// only looks or selects.
TEST_F(HostCommands, BadInputAndLookingLeaveTheFileAlone) {
    ASSERT_EQ(host({"prefer", "speaker", "spk-builtin"}).status, 0);
    const std::string before = readFile(preferredFile());
    ASSERT_FALSE(before.empty());

    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"prefer", "loudspeaker", "spk-builtin"}, 2, "unknown device type 'loudspeaker'"},
        {{"prefer", "speaker", "usb-headset-spk", "no-such-device"}, 1, "unknown speaker 'no-such-device'"},
        {{"prefer", "speaker", "spk-builtin", "spk-builtin"}, 2, "names a device given before it"},
        {{"select", "camera", "mic-builtin"}, 1, "unknown camera 'mic-builtin'"},
        {{"volume", "speaker", "spk-builtin", "150"}, 2, "150 not in range 0 to 100"},
        {{"volume", "camera", "cam-builtin", "20"}, 2, "cameras have no volume"},
        {{"play", "no-such-ringtone.wav"}, 1, "cannot play no-such-ringtone.wav: no such file"},
        {{"play", MDS_HOST_TEST_DIR, "--all-ringers"}, 1, "not a regular file"},
        {{"peak", "spk-builtin"}, 1, "unknown microphone 'spk-builtin'"},
        {{"press", "volume-sideways", kHeadsetHardwareId}, 2, "unknown button event 'volume-sideways'"},
        {{"press", "set-default-audio-path", kHeadsetHardwareId, "loud"}, 2, "does not take the argument 'loud'"},
        {{"select", "speaker"}, 2, "ID is required"},
        {{"frobnicate"}, 2, "not expected: frobnicate"},
    };
    for (const auto& test : cases) {
        const HostResult result = host(test.arguments);
        SCOPED_TRACE(test.arguments.front() + " " + test.arguments.back());
        EXPECT_EQ(result.status, test.status) << result.err;
        EXPECT_EQ(result.out, "");
        const auto errors = lines(result.err);
        ASSERT_EQ(errors.size(), 1u) << result.err;
        EXPECT_EQ(errors.front().rfind("mediadevice-host: ", 0), 0u) << errors.front();
        EXPECT_NE(errors.front().find(test.message), std::string::npos) << errors.front();
        EXPECT_EQ(readFile(preferredFile()), before);
    }
    for (std::vector<std::string> looking : {std::vector<std::string>{"list"}, {"select", "speaker", "usb-headset-spk"},
                                             {"watch", "--for", "0"}, {"peak", "mic-builtin", "--samples", "1"}}) {
        EXPECT_EQ(host(looking).status, 0) << looking.front();
        EXPECT_EQ(readFile(preferredFile()), before) << looking.front();
    }
}

// Two headsets of one model share a hardware id: it then names neither, while a hardware id
// that one device has names it in any letter case.
TEST_F(HostCommands, DevicesAreFoundByHardwareIdOnlyWhenItIsUnambiguous) {
    const auto scenario = m_config / "twins.scenario";
    std::ofstream(scenario) << "device playback sel=twin-a name=\"Twin A\" hwid=\"USB\\VID_1111&PID_2222\"\n"
                               "device playback sel=twin-b name=\"Twin B\" hwid=\"USB\\VID_1111&PID_2222\"\n"
                               "device playback sel=solo name=Solo hwid=\"USB\\VID_3333&PID_4444\"\n";
    const HostResult twins = host({"select", "speaker", "usb\\vid_1111&pid_2222", "--scenario", scenario.string()});
    EXPECT_EQ(twins.status, 1);
    EXPECT_NE(twins.err.find("names 2 speakers"), std::string::npos)
        << twins.err;

    const json solo = hostJson({"select", "speaker", "usb\\vid_3333&PID_4444", "--scenario", scenario.string()});
    EXPECT_EQ(solo.at("inUse"), "solo");
    EXPECT_EQ(hostJson({"select", "speaker", "Twin B", "--scenario", scenario.string()}).at("inUse"), "twin-b");
}

TEST_F(HostCommands, PlayReportsItsSessionsAndTheirEnds) {
    const json one = hostJson({"play", MDS_HOST_RINGTONE, "--volume", "40"});
    EXPECT_EQ(one.at("sessions"), json::array({0}));
    EXPECT_FALSE(one.at("stopped").get<bool>());
    EXPECT_EQ(one.at("events").back(), json({{"event", "SoundPlayFinished"}, {"session", 0}}));

    const json all = hostJson({"play", MDS_HOST_RINGTONE, "--all-ringers"});
    EXPECT_EQ(all.at("sessions").size(), 2u);
    EXPECT_EQ(all.at("events").size(), 3u);  // started, and two ends

    const json looped = hostJson({"play", MDS_HOST_RINGTONE, "--device", "spk-builtin", "--loop", "--for", "100"});
    EXPECT_TRUE(looped.at("stopped").get<bool>());
    EXPECT_EQ(looped.at("events").front().at("device"), "spk-builtin");

    const HostResult text = host({"play", MDS_HOST_RINGTONE, "--device", "spk-builtin"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, std::string("Playing ") + MDS_HOST_RINGTONE + " on spk-builtin: session 0\nSoundPlayFinished 0\n");
}

TEST_F(HostCommands, PeakMetersTheMicrophone) {
    const json peak = hostJson({"peak", "mic-builtin", "--samples", "2", "--interval", "10"});
    EXPECT_EQ(peak.at("readings"), 2);
    ASSERT_EQ(peak.at("events").size(), 2u);
    // The simulated built-in microphone hears a steady quarter of full scale.
    for (const auto& reading : peak.at("events")) EXPECT_FLOAT_EQ(reading.at("level").get<float>(), 0.25f);

    const HostResult text = host({"peak", "Built-in Microphone", "--samples", "1"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, "mic-builtin  0.250 |##########" + std::string(30, ' ') + "|\n");
}

TEST_F(HostCommands, PressPutsTheHeadsetInUse) {
    ASSERT_EQ(host({"prefer", "speaker", "spk-builtin"}).status, 0);
    const json press = hostJson({"press", "answer-call", kHeadsetHardwareId});
    EXPECT_EQ(press.at("before").at("speaker"), "spk-builtin");
    EXPECT_EQ(press.at("after").at("speaker"), "usb-headset-spk");
    EXPECT_EQ(press.at("after").at("camera"), "cam-builtin");

    const HostResult text = host({"press", "answer-call", kHeadsetHardwareId});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("speaker in use: usb-headset-spk (was spk-builtin)"), std::string::npos) << text.out;
}

TEST_F(HostCommands, WatchPrintsOneObjectPerLine) {
    const HostResult result = host({"watch", "--for", "0", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<std::string> events;
    for (const auto& line : lines(result.out)) events.push_back(json::parse(line).at("event"));
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events.front(), "Watching");
    EXPECT_EQ(events.back(), "Stopped");
    // The built-in timeline: the headset's two devices leave and come back, then a button.
    EXPECT_EQ(std::count(events.begin(), events.end(), "DeviceRemoved"), 2);
    EXPECT_EQ(std::count(events.begin(), events.end(), "DeviceAdded"), 2);
    EXPECT_EQ(std::count(events.begin(), events.end(), "Button"), 1);

    const HostResult text = host({"watch", "--for", "0"});
    EXPECT_NE(text.out.find("] button: answer-call on USB\\VID_0B0E&PID_0348&MI_00\n"), std::string::npos) << text.out;
}

TEST_F(HostCommands, CtrlCStopsTheWatchCleanly) {
    HostProcess watch(MDS_HOST_PROGRAM, {"watch", "--json", "--config-dir", m_config.string()});
    ASSERT_TRUE(watch.waitForOutput("\"Watching\""));
    watch.sendSignal(SIGINT);
    const HostResult result = watch.finish();
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(json::parse(lines(result.out).back()), json({{"event", "Stopped"}, {"interrupted", true}}));
    EXPECT_EQ(result.err.find("Sanitizer"), std::string::npos) << result.err;
}

// watch --commands: one process runs the lines of its input with the subcommands' own code,
// answers each with a Done event, and keeps what they changed.
TEST_F(HostCommands, WatchRunsCommandLinesAndKeepsTheirChanges) {
    const std::string input = std::string("prefer speaker spk-builtin\n") + "volume speaker spk-builtin 33\n" +
                              "# a comment, skipped\n\n" + "play " + MDS_HOST_RINGTONE + " --all-ringers\n" +
                              "play " + MDS_HOST_RINGTONE + " --device spk-builtin --loop\n" + "stop all\n" +
                              "select speaker 'Built-in Speakers'\r\n" + "list";  // the last line has no break
    const HostResult result = runHost(
        MDS_HOST_PROGRAM, {"watch", "--json", "--commands", "--persist", "--config-dir", m_config.string()}, input);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");

    std::vector<std::pair<std::string, int>> done;
    std::vector<long> started;
    std::map<long, int> finished;
    for (const auto& line : lines(result.out)) {
        const json event = json::parse(line);
        if (!event.contains("event")) continue;  // a command's own result
        if (event.at("event") == "Done") done.emplace_back(event.at("command"), event.at("status"));
        if (event.at("event") == "Playing")
            for (long id : event.at("sessions")) started.push_back(id);
        if (event.at("event") == "SoundPlayFinished") ++finished[event.at("session").get<long>()];
    }
    EXPECT_EQ(done, (std::vector<std::pair<std::string, int>>{
                        {"prefer", 0}, {"volume", 0}, {"play", 0}, {"play", 0}, {"stop", 0}, {"select", 0}, {"list", 0}}));
    ASSERT_EQ(started.size(), 3u);
    for (long id : started) EXPECT_EQ(finished[id], 1) << "session " << id << " ends once, the looping one too";
    EXPECT_EQ(finished.size(), 3u);

    const json listed = hostJson({"list"});
    const json& speakers = typeOf(listed, "speaker");
    EXPECT_EQ(speakers.at("preferred").at(0).at("selectionId"), "spk-builtin");
    EXPECT_EQ(speakers.at("preferred").at(0).at("volume"), 33);
}

TEST_F(HostCommands, BadCommandLinesAreAnsweredAndTheWatchGoesOn) {
    const std::string input = "bogus\n"                       // not a subcommand
                              "stop 12x\n"                    // not a session id
                              "watch\n"                       // would never end
                              "volume camera cam-builtin 3\n"  // checked as on the command line
                              "prefer speaker no-such-device\n"
                              "list --help\n"
                              "select speaker \"unterminated\n" +
                              std::string(70 * 1024, 'x') + "\n" +  // too long: dropped whole
                              "list\n";
    const HostResult result = runHost(
        MDS_HOST_PROGRAM, {"watch", "--json", "--commands", "--config-dir", m_config.string()}, input);
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<int> statuses;
    for (const auto& line : lines(result.out)) {
        const json event = json::parse(line);
        if (event.value("event", "") == "Done") statuses.push_back(event.at("status"));
    }
    EXPECT_EQ(statuses, (std::vector<int>{2, 2, 2, 2, 1, 2, 1, 0}));
    EXPECT_NE(result.err.find("longer than 65536 bytes was dropped"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(preferredFile())) << "without --persist, failures never write the file";
}

TEST_F(HostCommands, EverySubcommandHasHelp) {
    for (const char* command : {"list", "watch", "prefer", "select", "volume", "play", "peak", "press"}) {
        const HostResult result = host({command, "--help"});
        EXPECT_EQ(result.status, 0) << command;
        EXPECT_NE(result.out.find("Usage:"), std::string::npos) << command;
        EXPECT_NE(result.out.find(command), std::string::npos) << command;
    }
}

// The page's address from serve's first line, once it is there; the program runs on.
std::string servedUrl(HostProcess& serve, const std::string& prefix, HostResult& result) {
    if (!serve.waitForOutput("\n")) return {};
    serve.sendSignal(SIGTERM);
    result = serve.finish();
    const std::string first = lines(result.out).at(0);
    return first.rfind(prefix, 0) == 0 ? first.substr(prefix.size()) : std::string();
}

// The token is kept private and reused, so an open page survives a restart; --new-token
// replaces it. SIGTERM ends the server cleanly.
TEST_F(HostCommands, ServeKeepsItsTokenPrivateAndReusesIt) {
    const std::vector<std::string> serve = {"serve", "--config-dir", m_config.string()};
    HostResult first;
    HostProcess one(MDS_HOST_PROGRAM, serve);
    const std::string url = servedUrl(one, "Settings page: http://127.0.0.1:", first);
    EXPECT_EQ(first.status, 0) << first.err;
    const auto token = url.substr(url.find("/?token=") + 8);
    EXPECT_EQ(token.size(), 32u) << url;

    const auto file = m_config / "settings-page.token";
    EXPECT_EQ(std::filesystem::status(file).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(readFile(file), token + "\n");

    std::vector<std::string> json = serve;
    json.push_back("--json");
    HostResult second;
    HostProcess two(MDS_HOST_PROGRAM, json);
    const std::string document = servedUrl(two, "", second);
    const std::string jsonUrl = json::parse(document).at("url");
    EXPECT_EQ(jsonUrl.substr(jsonUrl.find("/?token=") + 8), token);

    std::vector<std::string> renewed = serve;
    renewed.push_back("--new-token");
    HostResult third;
    HostProcess three(MDS_HOST_PROGRAM, renewed);
    const std::string next = servedUrl(three, "Settings page: http://127.0.0.1:", third);
    EXPECT_NE(next.substr(next.find("/?token=") + 8), token);
    EXPECT_FALSE(std::filesystem::exists(preferredFile()));
}

}  // namespace
}  // namespace olvar::test
