#include <gtest/gtest.h>

#include <random>

#include "SimulatedTestSupport.h"
#include "olvar/PendingWork.h"
#include "velk/Scenario.h"
#include "velk/SimulatedBackend.h"

using namespace std::chrono_literals;

using namespace olvar::velk;

namespace olvar::test {
namespace {

const char* const kExample = R"SCN(# a laptop with a USB headset
device playback sel=spk-builtin name="Built-in Speakers" hwid="PCI\VEN_1234&DEV_0001" vendor="Acme" interface="Built-in Audio" friendly="Speakers (Built-in Audio)" volume=60

  device recording sel=usb-mic hwid=USB\VID_0B0E&PID_0348&MI_00 instance="USB\7&1" peak=0.5
default playback spk-builtin
at 3s plug playback sel=usb-spk name="USB Headset"
at 1500ms unplug usb-mic
at 1500ms default recording usb-mic
)SCN";

std::string parseError(const std::string& text) {
    Scenario scenario;
    std::string error;
    EXPECT_FALSE(parseScenario(text, scenario, error)) << text;
    return error;
}

TEST(ScenarioParsing, ReadsDevicesDefaultsAndEvents) {
    Scenario s;
    std::string error = "stale";
    ASSERT_TRUE(parseScenario(kExample, s, error)) << error;
    EXPECT_TRUE(error.empty());

    ASSERT_EQ(s.devices.size(), 2u);
    const SimulatedDevice& spk = s.devices[0];
    EXPECT_EQ(spk.kind, DEVICE_KIND_PLAYBACK);
    EXPECT_EQ(spk.selectionId, "spk-builtin");
    EXPECT_EQ(spk.name, "Built-in Speakers");
    EXPECT_EQ(spk.hardwareId, "PCI\\VEN_1234&DEV_0001");
    EXPECT_EQ(spk.vendor, "Acme");
    EXPECT_EQ(spk.deviceInterface, "Built-in Audio");
    EXPECT_EQ(spk.friendlyName, "Speakers (Built-in Audio)");
    EXPECT_EQ(spk.volume, 60);
    const SimulatedDevice& mic = s.devices[1];
    EXPECT_EQ(mic.kind, DEVICE_KIND_RECORDING);
    EXPECT_EQ(mic.name, "usb-mic");  // name defaults to the selection id
    EXPECT_EQ(mic.hardwareId, "USB\\VID_0B0E&PID_0348&MI_00");
    EXPECT_EQ(mic.instanceId, "USB\\7&1");
    EXPECT_EQ(mic.volume, 50);
    EXPECT_FLOAT_EQ(mic.peakLevel, 0.5f);

    ASSERT_EQ(s.defaults.size(), 1u);
    EXPECT_EQ(s.defaults[0].kind, DEVICE_KIND_PLAYBACK);
    EXPECT_EQ(s.defaults[0].selectionId, "spk-builtin");

    ASSERT_EQ(s.events.size(), 3u);
    EXPECT_EQ(s.events[0].at, 3000ms);
    EXPECT_EQ(s.events[0].action, ScenarioEvent::Action::Plug);
    EXPECT_EQ(s.events[0].device.name, "USB Headset");
    EXPECT_EQ(s.events[1].action, ScenarioEvent::Action::Unplug);
    EXPECT_EQ(s.events[1].selectionId, "usb-mic");
    EXPECT_EQ(s.events[2].action, ScenarioEvent::Action::SetDefault);
    EXPECT_EQ(s.events[2].kind, DEVICE_KIND_RECORDING);
}

TEST(ScenarioParsing, AcceptsKindSynonymsCrLfAndEmptyInput) {
    Scenario s;
    std::string error;
    ASSERT_TRUE(parseScenario("device speaker sel=a\r\ndevice microphone sel=b\r\ndevice camera sel=c\r\n", s, error))
        << error;
    ASSERT_EQ(s.devices.size(), 3u);
    EXPECT_EQ(s.devices[0].kind, DEVICE_KIND_PLAYBACK);
    EXPECT_EQ(s.devices[1].kind, DEVICE_KIND_RECORDING);
    EXPECT_EQ(s.devices[2].kind, DEVICE_KIND_CAPTURE);
    EXPECT_EQ(s.devices[2].selectionId, "c");

    ASSERT_TRUE(parseScenario("", s, error));
    EXPECT_TRUE(s.devices.empty());
}

// Every malformed line is refused with its line number and what was wrong with it.
TEST(ScenarioParsing, MalformedInputIsReportedWithItsLineNumber) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"device playback sel=a\nfrobnicate\n",
         "line 2: unknown statement 'frobnicate' (device, default or at)"},
        {"device loudspeaker sel=a",
         "line 1: unknown device kind 'loudspeaker' (playback, recording or capture)"},
        {"# only\n\ndevice playback name=x", "line 3: device without sel="},
        {"device playback sel=a volume=loud", "line 1: volume must be a whole number 0..100, not 'loud'"},
        {"device playback sel=a volume=101", "line 1: volume must be a whole number 0..100, not '101'"},
        {"device recording sel=a peak=2", "line 1: peak must be a number 0..1, not '2'"},
        {"device playback sel=a colour=red", "line 1: unknown attribute 'colour'"},
        {"device playback sel=a =x", "line 1: expected attribute=value, got '=x'"},
        {"device playback sel=a stray", "line 1: expected attribute=value, got 'stray'"},
        {"device playback sel=a name=\"open", "line 1: unterminated quoted text"},
        {"device playback sel=a\ndevice capture sel=a", "line 2: duplicate device 'a'"},
        {"device", "line 1: missing device kind"},
        {"default playback ghost", "line 1: default names no declared playback device 'ghost'"},
        {"device recording sel=m\ndefault playback m", "line 2: default names no declared playback device 'm'"},
        {"default playback", "line 1: expected: default <kind> <selection id>"},
        {"at 10 unplug a", "line 1: bad time '10' (a whole number followed by ms or s)"},
        {"at -5ms unplug a", "line 1: bad time '-5ms' (a whole number followed by ms or s)"},
        {"at ms unplug a", "line 1: bad time 'ms' (a whole number followed by ms or s)"},
        {"at 99999999999999999999s unplug a",
         "line 1: bad time '99999999999999999999s' (a whole number followed by ms or s)"},
        {"at 5ms", "line 1: expected: at <time> plug|unplug|default|button ..."},
        {"at 5ms explode a", "line 1: unknown timed action 'explode' (plug, unplug, default or button)"},
        {"at 5ms button volume-up", "line 1: expected: at <time> button <event> <hardware id> [<argument>]"},
        {"at 5ms button set-default-audio-path HW 7 8",
         "line 1: expected: at <time> button <event> <hardware id> [<argument>]"},
        {"at 5ms unplug a b", "line 1: expected: at <time> unplug <selection id>"},
        {"at 5ms default a", "line 1: expected: at <time> default <kind> <selection id>"},
        {"at 5ms plug capture name=x", "line 1: device without sel="},
    };
    for (const auto& c : cases) EXPECT_EQ(parseError(c.text), c.error);
}

TEST(ScenarioParsing, ReadsButtonPressesWithAndWithoutArgument) {
    Scenario s;
    std::string error;
    ASSERT_TRUE(parseScenario("at 500ms button volume-up \"USB\\VID_0B0E&PID_0348&MI_00\"\n"
                              "at 1s button set-default-audio-path HW-2 7\n",
                              s, error))
        << error;
    ASSERT_EQ(s.events.size(), 2u);
    EXPECT_EQ(s.events[0].action, ScenarioEvent::Action::Button);
    EXPECT_EQ(s.events[0].button, "volume-up");
    EXPECT_EQ(s.events[0].hardwareId, "USB\\VID_0B0E&PID_0348&MI_00");
    EXPECT_EQ(s.events[0].argument, "");
    EXPECT_EQ(s.events[1].at, 1000ms);
    EXPECT_EQ(s.events[1].argument, "7");
}

TEST(ScenarioParsing, FailureLeavesTheOutputUntouched) {
    Scenario s;
    s.devices.push_back(simulatedDevice(DEVICE_KIND_CAPTURE, "keep"));
    std::string error;
    EXPECT_FALSE(parseScenario("device playback sel=a\nbad line", s, error));
    ASSERT_EQ(s.devices.size(), 1u);
    EXPECT_EQ(s.devices[0].selectionId, "keep");
}

TEST(ScenarioParsing, RandomBytesNeverCrash) {
    std::mt19937 random(1234);
    const std::string alphabet = "device playback recording at ms s sel= name=\"\\# \n\r\t0123456789=\x01\xff";
    for (int round = 0; round < 500; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        Scenario s;
        std::string error;
        if (!parseScenario(text, s, error)) {
            EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
        }
    }
}

TEST(BuiltInScenario, HasTheHeadsetPairAndOneOfEachBuiltInDevice) {
    const Scenario s = builtInDefaultScenario();
    ASSERT_EQ(s.devices.size(), 5u);
    const auto find = [&](const std::string& id) {
        return *std::find_if(s.devices.begin(), s.devices.end(),
                             [&](const SimulatedDevice& d) { return d.selectionId == id; });
    };
    EXPECT_EQ(find("usb-headset-spk").hardwareId, find("usb-headset-mic").hardwareId);
    EXPECT_EQ(find("usb-headset-spk").hardwareId, "USB\\VID_0B0E&PID_0348&MI_00");
    EXPECT_EQ(find("spk-builtin").kind, DEVICE_KIND_PLAYBACK);
    EXPECT_EQ(find("usb-headset-mic").kind, DEVICE_KIND_RECORDING);
    EXPECT_EQ(find("cam-builtin").kind, DEVICE_KIND_CAPTURE);
    EXPECT_TRUE(s.events.empty());
}

TEST(ScenarioLoading, LoadPlugsQuietlyAndAppliesDefaults) {
    SimulatedBackend backend;
    RecordingDeviceObserver observer;
    backend.manager()->getDeviceMonitor()->addObserver(&observer);
    Scenario s;
    std::string error;
    ASSERT_TRUE(parseScenario("device playback sel=a\ndevice playback sel=b\ndefault playback b\n", s, error));
    ASSERT_TRUE(backend.load(s));
    ASSERT_TRUE(PendingWork::waitIdle());
    EXPECT_TRUE(observer.log.lines().empty());
    EXPECT_EQ(backend.defaultDevice(DEVICE_KIND_PLAYBACK)->getSelectionId(), "b");
    EXPECT_FALSE(backend.load(s)) << "the devices are already present";
    EXPECT_EQ(backend.devices(DEVICE_KIND_PLAYBACK).size(), 2u);
    backend.manager()->getDeviceMonitor()->removeObserver(&observer);
}

TEST(ScenarioTimeline, RunsEventsInTimeOrderKeepingFileOrderForTies) {
    SimulatedBackend backend;
    ASSERT_TRUE(backend.load(builtInDefaultScenario()));
    RecordingDeviceObserver observer;
    backend.manager()->getDeviceMonitor()->addObserver(&observer);
    Scenario s;
    std::string error;
    ASSERT_TRUE(parseScenario("at 20ms plug capture sel=cam-2\n"
                              "at 0ms unplug usb-headset-spk\n"
                              "at 0ms unplug usb-headset-mic\n"
                              "at 20ms default capture cam-2\n",
                              s, error))
        << error;
    backend.startTimeline(s);
    observer.log.waitForCount(4);  // timed events are not pending work until they fire
    ASSERT_TRUE(PendingWork::waitIdle());
    EXPECT_EQ(observer.log.lines(), (std::vector<std::string>{"removed usb-headset-spk", "removed usb-headset-mic",
                                                              "added cam-2", "default cam-2"}));
    backend.manager()->getDeviceMonitor()->removeObserver(&observer);
}

// Buttons reach the sink on the timeline's thread, in time order with file order for ties.
TEST(ScenarioTimeline, ButtonPressesReachTheSinkInTimelineOrder) {
    SimulatedBackend backend;
    EventLog log;
    backend.setButtonSink([&](const ScenarioEvent& e) { log.add(e.button + " " + e.hardwareId + " " + e.argument); });
    Scenario s;
    std::string error;
    ASSERT_TRUE(parseScenario("at 5ms button volume-down HW-2 x\n"
                              "at 0ms button make-call HW-1\n"
                              "at 5ms button redial HW-3\n",
                              s, error))
        << error;
    backend.startTimeline(s);
    log.waitForCount(3);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"make-call HW-1 ", "volume-down HW-2 x", "redial HW-3 "}));
    EXPECT_EQ(log.threads(), std::vector<std::string>(3, "velk-timeline"));
    backend.stopTimeline();
}

TEST(ScenarioTimeline, StoppingDropsEventsNotYetDue) {
    SimulatedBackend backend;
    Scenario s;
    std::string error;
    ASSERT_TRUE(parseScenario("at 3600s plug playback sel=late\n", s, error));
    backend.startTimeline(s);
    EXPECT_TRUE(PendingWork::waitIdle());
    backend.stopTimeline();
    backend.stopTimeline();
    backend.startTimeline(s);  // left running: the destructor stops it
    EXPECT_TRUE(backend.devices(DEVICE_KIND_PLAYBACK).empty());
}

}  // namespace
}  // namespace olvar::test
