// Devices, hot-plug, defaults, volumes and peak meters against the tests' sound server.
#include <gtest/gtest.h>

#include "PulseBackendFixture.h"
#include "PulseMonitorRecorder.h"

using namespace olvar::velk;

namespace olvar::test {
namespace {

using ServerDevices = PulseBackendFixture;

// A type-1 headset of the accessory tables.
const std::string kHeadsetIds = "device.vendor.id=0b0e device.product.id=0300";

TEST_F(ServerDevices, ServerDevicesAreListedWithoutMonitors) {
    const DeviceInfoPtr speakers = find(DEVICE_KIND_PLAYBACK, "ci_speakers");
    ASSERT_TRUE(speakers) << "the CI daemon's null sink";
    EXPECT_EQ(speakers->getName(), "CI-Speakers");
    EXPECT_EQ(speakers->getHardwareId(), "SRV\\ci_speakers\\");
    EXPECT_TRUE(present(DEVICE_KIND_RECORDING, "ci_mic"));
    for (const auto& source : backend->devices(DEVICE_KIND_RECORDING))
        EXPECT_EQ(source->getSelectionId().find(".monitor"), std::string::npos) << source->getSelectionId();
    ASSERT_TRUE(backend->defaultDevice(DEVICE_KIND_PLAYBACK));
    ASSERT_TRUE(backend->defaultDevice(DEVICE_KIND_RECORDING));
}

// Whatever the server has, and devices whose names start alike: every id is there, and none
// occurs inside the id of a device it is not (the sink and the source of one USB product
// share theirs on purpose).
TEST_F(ServerDevices, EveryDeviceHasAHardwareIdThatNoOtherDeviceMatches) {
    const std::string shorter = uniqueName("desk");
    const std::string longer = shorter + "_dock";
    LoadedModule first(nullSinkArguments(shorter));
    LoadedModule second(nullSinkArguments(longer));
    LoadedModule mic(nullSourceArguments(shorter + "_mic"));
    LoadedModule headset(nullSinkArguments(uniqueName("headset"), kHeadsetIds));
    ASSERT_TRUE(devices.log.waitFor("added " + shorter));
    ASSERT_TRUE(devices.log.waitFor("added " + longer));
    ASSERT_TRUE(devices.log.waitFor("added " + shorter + "_mic"));
    EXPECT_EQ(find(DEVICE_KIND_PLAYBACK, shorter)->getHardwareId(), "SRV\\" + shorter + "\\");

    DeviceInfoList all = backend->devices(DEVICE_KIND_PLAYBACK);
    for (const auto& source : backend->devices(DEVICE_KIND_RECORDING)) all.push_back(source);
    ASSERT_GE(all.size(), 5u);
    for (const auto& device : all) {
        const std::string& id = device->getHardwareId();
        EXPECT_FALSE(id.empty()) << device->getSelectionId();
        for (const auto& other : all) {
            if (other == device || other->getHardwareId().rfind("USB\\", 0) == 0) continue;
            EXPECT_EQ(other->getHardwareId().find(id), std::string::npos)
                << device->getSelectionId() << " " << id << " occurs in " << other->getSelectionId();
        }
    }
}

TEST_F(ServerDevices, PluggedHeadsetIsReportedOnceWithItsHardwareIdAndUnpluggedOnce) {
    const std::string name = uniqueName("headset");
    {
        LoadedModule sink(nullSinkArguments(name, kHeadsetIds));
        LoadedModule source(nullSourceArguments(name + "_mic", kHeadsetIds));
        ASSERT_TRUE(devices.log.waitFor("added " + name));
        ASSERT_TRUE(devices.log.waitFor("added " + name + "_mic"));
        const DeviceInfoPtr speaker = find(DEVICE_KIND_PLAYBACK, name);
        const DeviceInfoPtr mic = find(DEVICE_KIND_RECORDING, name + "_mic");
        ASSERT_TRUE(speaker && mic);
        EXPECT_EQ(speaker->getName(), name + "-desc");
        EXPECT_EQ(speaker->getHardwareId(), "USB\\VID_0B0E&PID_0300");
        EXPECT_EQ(mic->getHardwareId(), "USB\\VID_0B0E&PID_0300");
        // Changes to a present device are not new devices.
        ASSERT_EQ(pactl("set-sink-volume " + name + " 30%").status, 0);
        ASSERT_TRUE(levels.log.waitFor("volume " + name + " 30"));
    }
    ASSERT_TRUE(devices.log.waitFor("removed " + name));
    ASSERT_TRUE(devices.log.waitFor("removed " + name + "_mic"));
    EXPECT_FALSE(present(DEVICE_KIND_PLAYBACK, name));
    EXPECT_FALSE(present(DEVICE_KIND_RECORDING, name + "_mic"));
    EXPECT_FALSE(present(DEVICE_KIND_RECORDING, name + ".monitor"));
    finishBackend();
    EXPECT_EQ(devices.log.count("added " + name), 1u);
    EXPECT_EQ(devices.log.count("removed " + name), 1u);
    EXPECT_EQ(devices.log.count("added " + name + ".monitor"), 0u);
}

// On a server of its own: other tests (the host's --apply-defaults) move the shared one's
// default meanwhile.
TEST(ServerDefaults, DefaultsFollowTheServerBothWays) {
    MDS_REQUIRE_PULSE_SERVER();
    PrivateDaemon daemon;
    ASSERT_TRUE(daemon.start());
    DeviceEvents devices;  // outlives the backend that reports to it
    PulseBackendOptions options;
    options.server = daemon.server();
    options.videoClassRoot.clear();
    PulseBackend backend(options);
    backend.manager()->getDeviceMonitor()->addObserver(&devices);
    ASSERT_TRUE(backend.waitUntilConnected(kTimeout));
    const auto pactlHere = [&](const std::string& arguments) { return pactl(arguments, daemon.server()).output; };
    const std::string original = pactlHere("get-default-sink");
    LoadedModule sink(nullSinkArguments("default_sink"), daemon.server());
    ASSERT_TRUE(devices.log.waitFor("added default_sink"));

    ASSERT_EQ(pactl("set-default-sink default_sink", daemon.server()).status, 0);
    ASSERT_TRUE(devices.log.waitFor("default default_sink"));
    ASSERT_TRUE(backend.defaultDevice(DEVICE_KIND_PLAYBACK));
    EXPECT_EQ(backend.defaultDevice(DEVICE_KIND_PLAYBACK)->getSelectionId(), "default_sink");

    EXPECT_TRUE(backend.makeDefault(DEVICE_KIND_PLAYBACK, original));
    // PipeWire's session manager settles the default a moment after the request.
    EXPECT_TRUE(devices.log.waitUntil([&] { return pactlHere("get-default-sink") == original; }));
    EXPECT_FALSE(backend.makeDefault(DEVICE_KIND_PLAYBACK, uniqueName("no_such_sink")));
    EXPECT_EQ(pactlHere("get-default-sink"), original);
    backend.manager()->getDeviceMonitor()->removeObserver(&devices);
}

TEST_F(ServerDevices, VolumeSetHereIsWhatPactlReadsAndPactlChangesArriveHere) {
    const std::string name = uniqueName("volume_sink");
    const std::string mic = uniqueName("volume_mic");
    LoadedModule sink(nullSinkArguments(name));
    LoadedModule source(nullSourceArguments(mic));
    ASSERT_TRUE(devices.log.waitFor("added " + name));
    ASSERT_TRUE(devices.log.waitFor("added " + mic));
    ASSERT_TRUE(volumeSettled("sink", name));
    ASSERT_TRUE(volumeSettled("source", mic));

    ASSERT_TRUE(volume->setSpeakerVolume(name, 37));
    EXPECT_EQ(volume->getSpeakerVolume(name), 37);
    EXPECT_TRUE(pactlShows("get-sink-volume " + name, "37%")) << pactl("get-sink-volume " + name).output;
    ASSERT_TRUE(volume->setInputGain(mic, 81));
    EXPECT_EQ(volume->getInputGain(mic), 81);
    EXPECT_TRUE(pactlShows("get-source-volume " + mic, "81%")) << pactl("get-source-volume " + mic).output;

    ASSERT_EQ(pactl("set-sink-volume " + name + " 64%").status, 0);
    ASSERT_TRUE(levels.log.waitFor("volume " + name + " 64"));
    EXPECT_EQ(volume->getSpeakerVolume(name), 64);
    ASSERT_EQ(pactl("set-source-volume " + mic + " 12%").status, 0);
    ASSERT_TRUE(levels.log.waitFor("gain " + mic + " 12"));
    EXPECT_EQ(volume->getInputGain(mic), 12);
    ASSERT_EQ(pactl("set-sink-mute " + name + " 1").status, 0);
    ASSERT_TRUE(levels.log.waitFor("mute " + name + " 1"));

    // Each change reported once: our own write is not echoed back by the server's event.
    finishBackend();
    EXPECT_EQ(levels.log.count("volume " + name + " 37"), 1u);
    EXPECT_EQ(levels.log.count("volume " + name + " 64"), 1u);
    EXPECT_EQ(levels.log.count("gain " + mic + " 81"), 1u);
}

TEST_F(ServerDevices, LevelsOutsideTheRangeOrOfUnknownDevicesAreRefused) {
    EXPECT_FALSE(volume->setSpeakerVolume("ci_speakers", 101));
    EXPECT_FALSE(volume->setSpeakerVolume("ci_speakers", -1));
    EXPECT_FALSE(volume->setSpeakerVolume("ci_mic", 50)) << "a microphone is no speaker";
    EXPECT_FALSE(volume->setInputGain(uniqueName("nothing"), 50));
    EXPECT_EQ(volume->getSpeakerVolume(uniqueName("nothing")), -1);
    EXPECT_EQ(volume->getInputGain("ci_speakers"), -1);
}

TEST_F(ServerDevices, PeakMeterReadsASignalAndReadsZeroOnSilence) {
    const std::string sink = uniqueName("signal_sink");
    const std::string sine = uniqueName("sine");
    const std::string silent = uniqueName("silent");
    LoadedModule signalSink(nullSinkArguments(sink));
    LoadedModule tone(monitorSourceArguments(sine, sink));
    LoadedModule quiet(nullSourceArguments(silent));
    ASSERT_TRUE(devices.log.waitFor("added " + sine));
    ASSERT_TRUE(devices.log.waitFor("added " + silent));
    TestSignal signal(testServer(), sink);

    ASSERT_TRUE(volume->initializePeak(sine));
    ASSERT_TRUE(volume->initializePeak(silent));
    EXPECT_TRUE(volume->initializePeak(sine)) << "a second initialisation keeps the meter";
    // The tone takes a moment to reach the source through the server: reading after reading
    // until it shows, at most four seconds' worth.
    float heard = 0.0f;
    for (int reading = 0; reading < 100 && heard <= 0.1f; ++reading) {
        ASSERT_TRUE(backend->waitForPeakReadings(sine, 1, kTimeout));
        heard = volume->getPeakLevel(sine);
    }
    ASSERT_TRUE(backend->waitForPeakReadings(silent, 3, kTimeout));
    EXPECT_GT(heard, 0.1f);
    EXPECT_LE(heard, 1.0f);
    EXPECT_EQ(volume->getPeakLevel(silent), 0.0f);

    volume->unInitializePeak(sine);
    EXPECT_EQ(volume->getPeakLevel(sine), 0.0f);
    EXPECT_FALSE(backend->waitForPeakReadings(sine, 1, std::chrono::milliseconds(1)));
    EXPECT_FALSE(volume->initializePeak(uniqueName("no_such_source")));
}

}  // namespace
}  // namespace olvar::test
