// The module on a real sound server: devices plugged while it runs, the device in use made
// the server's default, volumes, and a server that dies and comes back.
#include <algorithm>

#include "MediaDeviceAdapterTestSupport.h"
#include "ModuleTestNames.h"
#include "PulseMonitorRecorder.h"
#include "PulseTestSupport.h"
#include "WaveTestFiles.h"
#include "featuresets/adapters/mediaDevice/core/MediaDeviceBackgroundWorker.h"
#include "velk/PulseBackend.h"
#include "velk/VolumeChangeForwarder.h"

namespace olvar::test {
namespace {

// A type-1 headset of the accessory tables.
const std::string kHeadsetIds = "device.vendor.id=0b0e device.product.id=0300";
const std::wstring kHeadsetHardwareId = L"USB\\VID_0B0E&PID_0300";
// A headset whose buttons the tests press, and a device of the same maker that is no speaker.
const std::string kButtonHeadsetIds = "device.bus=usb device.vendor.id=0b0e device.product.id=0348";
const std::string kButtonHeadsetHardwareId = "USB\\VID_0B0E&PID_0348";
const std::string kDongleHardwareId = "USB\\VID_0B0E&PID_0410";

bool contains(const std::vector<std::string>& ids, const std::string& id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

class ModuleOnSoundServer : public olvar::test::AdapterModuleTest {
protected:
    void SetUp() override {
        MDS_REQUIRE_PULSE_SERVER();
        ASSERT_TRUE(daemon.start());
        olvar::velk::PulseBackendOptions options;
        options.server = daemon.server();
        options.reconnectInterval = std::chrono::milliseconds(50);
        options.videoClassRoot.clear();
        pulse = std::make_shared<olvar::velk::PulseBackend>(options);
        ASSERT_TRUE(pulse->waitUntilConnected(kTimeout));
        moduleOptions.otherBackend = pulse;
    }

    void TearDown() override {
        if (!pulse) return;
        pulse->manager()->getDeviceMonitor()->removeObserver(&events);
        if (telephony) telephony->audio()->setDeviceInUseListener(nullptr);
        tearDownModule();
        pulse.reset();
        AdapterModuleTest::TearDown();
    }

    // Starts the module; the test's observer comes after the module's, so once it has
    // heard of an event, the module has too and draining the queues finishes the handling.
    // With serverDefaults, the telephony side makes every speaker it is told to use the
    // server's default sink, as the host's --apply-defaults does.
    void startModule(bool serverDefaults = false) {
        setUpHost(moduleOptions);
        if (serverDefaults) {
            std::weak_ptr<olvar::velk::PulseBackend> backend = pulse;
            telephony->audio()->setDeviceInUseListener([backend](int type, const std::string& selectionId) {
                auto live = backend.lock();
                if (live && type == kSpeaker) live->makeDefault(DEVICE_KIND_PLAYBACK, selectionId);
            });
        }
        inject();
        start();
        pulse->manager()->getDeviceMonitor()->addObserver(&events);
    }
    void restartModule() {
        pulse->manager()->getDeviceMonitor()->removeObserver(&events);
        restartModuleKeepingStore(moduleOptions);
        pulse->manager()->getDeviceMonitor()->addObserver(&events);
    }
    void settle(const std::string& event) {
        ASSERT_TRUE(events.log.waitFor(event)) << event;
        drain();
    }
    std::string currentSpeaker() {
        return read([&] { return MirelCoreUtils::toString(service->getCurrentSpeaker()->getSelectionId()); });
    }
    std::string pactl(const std::string& arguments) { return olvar::test::pactl(arguments, daemon.server()).output; }
    // PipeWire's session manager settles the default sink a moment after it is asked to;
    // the server's report of the change is what to wait for.
    bool defaultSinkBecomes(const std::string& name) {
        return events.log.waitUntil([&] { return pactl("get-default-sink") == name; });
    }
    std::unique_ptr<LoadedModule> plugHeadsetSpeaker(const std::string& name) {
        return std::make_unique<LoadedModule>(nullSinkArguments(name, kHeadsetIds), daemon.server());
    }

    PrivateDaemon daemon;
    std::shared_ptr<olvar::velk::PulseBackend> pulse;
    ModuleOptions moduleOptions;
    DeviceEvents events;
};

TEST_F(ModuleOnSoundServer, PluggedSinkReachesTheServiceLeadsAndItsUnplugMovesTheDeviceInUse) {
    startModule();
    EXPECT_TRUE(contains(availableIds(kSpeaker), "ci_speakers"));
    EXPECT_TRUE(contains(preferredIds(kSpeaker), "ci_speakers"));
    EXPECT_EQ(currentSpeaker(), "ci_speakers");
    auto added = countServiceFires(&MediaDeviceServiceNotifiers::getDeviceAddedNotifier);
    auto switched = countServiceFires(&MediaDeviceServiceNotifiers::getCurrentSpeakerNotifier);

    auto headset = plugHeadsetSpeaker("headset");
    settle("added headset");
    EXPECT_EQ(*added, 1);
    EXPECT_TRUE(contains(availableIds(kSpeaker), "headset"));
    const std::wstring hardwareId = read([&] {
        std::wstring found;
        const DeviceList available = service->getAvailableDeviceList(kSpeaker);
        for (const auto& device : *available)
            if (device && device->getSelectionId() == L"headset") found = device->getHardwareId();
        return found;
    });
    EXPECT_EQ(hardwareId, kHeadsetHardwareId) << "the sink's USB ids make its hardware id";
    // "HeadsetPreference" is "PreferNewDevice" unless set: the newcomer heads the list and is used.
    EXPECT_EQ(preferredIds(kSpeaker), (Ids{"headset", "ci_speakers"}));
    EXPECT_EQ(currentSpeaker(), "headset");
    EXPECT_EQ(telephony->audio()->getCurrentDevice(kSpeaker), "headset");

    headset->unload();
    settle("removed headset");
    EXPECT_EQ(currentSpeaker(), "ci_speakers");
    EXPECT_EQ(telephony->audio()->getCurrentDevice(kSpeaker), "ci_speakers");
    EXPECT_EQ(preferredIds(kSpeaker), (Ids{"headset", "ci_speakers"})) << "the unplugged headset keeps its rank";
    EXPECT_EQ(*switched, 2);
}

TEST_F(ModuleOnSoundServer, PluggedSinkJoinsAtTheEndWhenKnownDevicesArePreferred) {
    moduleOptions.config.emplace_back(L"HeadsetPreference", L"PreferKnownDevice");
    startModule();
    auto switched = countServiceFires(&MediaDeviceServiceNotifiers::getCurrentSpeakerNotifier);

    auto headset = plugHeadsetSpeaker("headset");
    settle("added headset");
    EXPECT_EQ(preferredIds(kSpeaker), (Ids{"ci_speakers", "headset"}));
    EXPECT_EQ(currentSpeaker(), "ci_speakers");

    // Unplugging a device that is not in use leaves the device in use alone.
    headset->unload();
    settle("removed headset");
    EXPECT_EQ(currentSpeaker(), "ci_speakers");
    EXPECT_EQ(*switched, 0);
}

TEST_F(ModuleOnSoundServer, PreferredListSurvivesARestartWhileItsHeadsetIsUnplugged) {
    auto headset = plugHeadsetSpeaker("headset");
    startModule();
    const auto before = preferredIds(kSpeaker);
    ASSERT_TRUE(contains(before, "headset"));
    ASSERT_TRUE(read([&] { return service->persistPreferredPreferredDeviceList(); }));

    headset->unload();
    settle("removed headset");
    EXPECT_FALSE(contains(availableIds(kSpeaker), "headset"));
    restartModule();
    EXPECT_EQ(preferredIds(kSpeaker), before) << "the unplugged headset keeps its place";
    EXPECT_FALSE(contains(availableIds(kSpeaker), "headset"));
}

TEST_F(ModuleOnSoundServer, DeviceInUseBecomesTheServerDefaultSink) {
    auto headset = plugHeadsetSpeaker("headset");
    startModule(true);
    const std::string inUse = telephony->audio()->getCurrentDevice(kSpeaker);
    ASSERT_FALSE(inUse.empty()) << "start puts the first plugged-in preferred speaker into use";
    EXPECT_TRUE(defaultSinkBecomes(inUse)) << pactl("get-default-sink");

    // The user picks one speaker, then the other.
    for (const std::string chosen : {"ci_speakers", "headset"}) {
        auto device = preferredDevice(kSpeaker, chosen);
        ASSERT_TRUE(device) << chosen;
        onDispatcher([&] { service->setCurrentMediaDevice(kSpeaker, device); });
        drain();
        EXPECT_EQ(telephony->audio()->getCurrentDevice(kSpeaker), chosen);
        EXPECT_TRUE(defaultSinkBecomes(chosen)) << pactl("get-default-sink");
    }
}

TEST_F(ModuleOnSoundServer, VolumeSetThroughTheServiceIsWhatPactlReads) {
    auto headset = plugHeadsetSpeaker("headset");
    startModule();
    auto device = preferredDevice(kSpeaker, "headset");
    ASSERT_TRUE(device);
    onDispatcher([&] { service->setDeviceVolume(kSpeaker, device, 42); });
    drain();
    EXPECT_TRUE(pactlShows("get-sink-volume headset", "42%", daemon.server())) << pactl("get-sink-volume headset");
}

TEST_F(ModuleOnSoundServer, VolumesChangedWithPactlReachTheServiceOnlyThroughTheHostsForwarder) {
    startModule();
    auto headset = plugHeadsetSpeaker("headset");
    settle("added headset");
    ASSERT_EQ(currentSpeaker(), "headset");
    auto volumes = pulse->manager()->getVolumeControl();
    VolumeEvents heard;
    volumes->addObserver(&heard);
    const std::shared_ptr<void> stopHearing(nullptr, [&](void*) { volumes->removeObserver(&heard); });

    // The module's own observer leaves outside changes alone.
    const int before = volumeOf(kSpeaker, "headset");
    ASSERT_NE(before, 23);
    pactl("set-sink-volume headset 23%");
    ASSERT_TRUE(heard.log.waitFor("volume headset 23"));
    drain();
    EXPECT_EQ(volumeOf(kSpeaker, "headset"), before);

    // A host that wants them forwards them to the adapter's handlers on its worker.
    EventLog forwarded;
    std::weak_ptr<MediaDeviceAdapter> target = adapter;
    auto forwardTo = [&forwarded, target](void (MediaDeviceAdapter::*handler)(std::string, int), std::string what) {
        return [&forwarded, target, handler, what](const std::string& name, int level) {
            MediaDeviceBackgroundWorker::instance()->doTask(std::make_shared<FunctionTask>(
                [target, handler, name, level] {
                    if (auto live = target.lock()) (live.get()->*handler)(name, level);
                },
                "forward " + what));
            forwarded.add(what + " " + name + " " + std::to_string(level));
        };
    };
    olvar::velk::VolumeChangeForwarder forwarder(forwardTo(&MediaDeviceAdapter::onApplicationVolumeChange, "volume"),
                                                 forwardTo(&MediaDeviceAdapter::onInputGainChange, "gain"));
    volumes->addObserver(&forwarder);
    const std::shared_ptr<void> stopForwarding(nullptr, [&](void*) { volumes->removeObserver(&forwarder); });

    pactl("set-sink-volume headset 37%");
    ASSERT_TRUE(forwarded.waitFor("volume headset 37"));
    drain();
    EXPECT_EQ(volumeOf(kSpeaker, "headset"), 37);
    EXPECT_EQ(read([&] { return static_cast<int>(service->getCurrentSpeaker()->getDeviceVolume()); }), 37)
        << "the device in use shows it too";

    pactl("set-source-volume ci_mic 55%");
    ASSERT_TRUE(forwarded.waitFor("gain ci_mic 55"));
    drain();
    EXPECT_EQ(volumeOf(MediaDeviceTypeEnum::MICROPHONE, "ci_mic"), 55);
}

TEST_F(ModuleOnSoundServer, ServerDyingLeavesNoDevicesAndItsReturnKeepsThePreferredLists) {
    startModule();
    const auto preferred = preferredIds(kSpeaker);
    ASSERT_TRUE(contains(preferred, "ci_speakers"));
    auto removed = countServiceFires(&MediaDeviceServiceNotifiers::getDeviceRemovedNotifier);

    daemon.stop();
    settle("removed ci_speakers");
    settle("removed ci_mic");
    EXPECT_TRUE(availableIds(kSpeaker).empty());
    EXPECT_TRUE(availableIds(MediaDeviceTypeEnum::MICROPHONE).empty());
    EXPECT_EQ(*removed, 2);
    EXPECT_EQ(preferredIds(kSpeaker), preferred);

    ASSERT_TRUE(daemon.start());
    settle("added ci_speakers");
    settle("added ci_mic");
    EXPECT_TRUE(contains(availableIds(kSpeaker), "ci_speakers"));
    EXPECT_EQ(preferredIds(kSpeaker), preferred);
}

// Each server's bound, and why, are checkRecording's.
TEST_F(ModuleOnSoundServer, RingtoneThroughTheServiceReachesTheSinkSampleForSample) {
    LoadedModule sink(nullSinkArguments("ringer") + " rate=48000 channels=2 format=s16le",
                              daemon.server());
    startModule();
    // Never-zero samples after leading silence, which absorbs the sink's rendering ahead.
    const std::vector<std::int16_t> ramp = rampFrames(48000 / 4);
    std::vector<std::int16_t> samples(48000 / 5 * 2, 0);
    samples.insert(samples.end(), ramp.begin(), ramp.end());
    olvar::TemporaryDirectory folder("mds-ring");
    const std::string file = folder.file("ring.wav");
    std::ofstream(file, std::ios::binary) << pcmWave(samplesOf(samples));

    MonitorRecorder recorder(daemon.server(), "ringer", ramp.size());
    const long session = read([&] { return service->playWaveFile(file, "ringer", 100); });
    ASSERT_GE(session, 0);
    const RecordingCheck check = checkRecording(recorder.finish(), ramp);
    RecordProperty("largestError", check.largestError);
    RecordProperty("silentSamples", static_cast<int>(check.silent));
    RecordProperty("lostSamples", static_cast<int>(check.skipped));
    EXPECT_TRUE(check.passed) << check.problem;
}

TEST_F(ModuleOnSoundServer, RingtoneOnASinkUnpluggedMidPlayIsReportedFinishedOnce) {
    auto ringer = std::make_unique<LoadedModule>(
        nullSinkArguments("ringer") + " rate=48000 channels=2 format=s16le", daemon.server());
    startModule();
    // Session ids the service announces as finished, heard on the dispatcher.
    auto finished = std::make_shared<EventLog>();
    onDispatcher([&] {
        service->getMediaDeviceServiceNotifiers()->getSoundPlayFinishedNotifier()->connect(
            [this, finished] { finished->add(std::to_string(service->getSoundPlayFinished())); });
    });
    // Five seconds of tone: far longer than the test needs to see it playing and unplug.
    std::vector<std::int16_t> tone;
    for (int i = 0; i < 48000 * 5; ++i) {
        tone.push_back(static_cast<std::int16_t>(1000 + i % 1000));
        tone.push_back(static_cast<std::int16_t>(-1000 - i % 1000));
    }
    olvar::TemporaryDirectory folder("mds-ring-unplug");
    const std::string file = folder.file("ring.wav");
    std::ofstream(file, std::ios::binary) << pcmWave(samplesOf(tone));

    MonitorRecorder heard(daemon.server(), "ringer", 480);
    const long session = read([&] { return service->playWaveFile(file, "ringer", 100); });
    ASSERT_GE(session, 0);
    ASSERT_EQ(heard.finish().size(), 480u) << "the ringtone is playing";
    EXPECT_TRUE(finished->lines().empty());

    ringer->unload();
    settle("removed ringer");
    ASSERT_TRUE(finished->waitFor(std::to_string(session))) << "the session on the vanished sink never finished";
    drain();
    EXPECT_EQ(finished->lines(), std::vector<std::string>{std::to_string(session)});
}

TEST_F(ModuleOnSoundServer, PluggedPreferredHeadsetBecomesTheDefaultSinkAndItsUnplugFallsBack) {
    startModule(true);
    EXPECT_TRUE(defaultSinkBecomes("ci_speakers")) << pactl("get-default-sink");
    auto spare = plugHeadsetSpeaker("spare");
    settle("added spare");
    EXPECT_TRUE(defaultSinkBecomes("spare")) << pactl("get-default-sink");

    auto headset = plugHeadsetSpeaker("headset");
    settle("added headset");
    EXPECT_EQ(preferredIds(kSpeaker), (Ids{"headset", "spare", "ci_speakers"}));
    EXPECT_EQ(currentSpeaker(), "headset");
    EXPECT_TRUE(defaultSinkBecomes("headset")) << pactl("get-default-sink");

    // The next preferred plugged-in sink, not whichever the server would fall back to itself.
    headset->unload();
    settle("removed headset");
    EXPECT_EQ(currentSpeaker(), "spare");
    EXPECT_EQ(telephony->audio()->getCurrentDevice(kSpeaker), "spare");
    EXPECT_TRUE(defaultSinkBecomes("spare")) << pactl("get-default-sink");

    spare->unload();
    settle("removed spare");
    EXPECT_TRUE(defaultSinkBecomes("ci_speakers")) << pactl("get-default-sink");
}

// A sink without bus ids comes first and a USB headset is plugged: a button on the headset
// must find the headset, not the sink whose id would once have been empty and so matched any.
// The headset's volume buttons are its own business; those of a device that is no speaker
// step the speaker in use, now the headset.
TEST_F(ModuleOnSoundServer, HeadsetButtonsFindTheHeadsetBesideASinkWithoutBusIds) {
    moduleOptions.config.emplace_back(L"HeadsetPreference", L"PreferKnownDevice");
    startModule();
    LoadedModule headset(nullSinkArguments("headset", kButtonHeadsetIds), daemon.server());
    settle("added headset");
    ASSERT_EQ(preferredIds(kSpeaker), (Ids{"ci_speakers", "headset"}));
    ASSERT_EQ(currentSpeaker(), "ci_speakers");
    const int builtIn = volumeOf(kSpeaker, "ci_speakers");
    const int before = volumeOf(kSpeaker, "headset");

    ASSERT_TRUE(telephonyService->fireByName("answer-call", kButtonHeadsetHardwareId));
    drain();
    EXPECT_EQ(currentSpeaker(), "headset");
    EXPECT_EQ(telephony->audio()->getCurrentDevice(kSpeaker), "headset");

    ASSERT_TRUE(telephonyService->fireByName("volume-down", kButtonHeadsetHardwareId));
    drain();
    EXPECT_EQ(volumeOf(kSpeaker, "headset"), before);

    ASSERT_TRUE(telephonyService->fireByName("volume-down", kDongleHardwareId));
    drain();
    const int stepped = std::max(before - 5, 10);
    EXPECT_EQ(volumeOf(kSpeaker, "headset"), stepped);
    EXPECT_TRUE(pactlShows("get-sink-volume headset", std::to_string(stepped) + "%", daemon.server()))
        << pactl("get-sink-volume headset");
    EXPECT_EQ(volumeOf(kSpeaker, "ci_speakers"), builtIn);
    EXPECT_EQ(currentSpeaker(), "headset");
}

// Ids that one device's name makes never match another device whose name starts the same.
TEST_F(ModuleOnSoundServer, SinksWhoseNamesArePrefixesOfEachOtherKeepApart) {
    LoadedModule shorter(nullSinkArguments("desk"), daemon.server());
    LoadedModule longer(nullSinkArguments("desk_dock"), daemon.server());
    startModule();
    const auto matches = [&](const std::string& hardwareId) {
        return read([&] {
            std::vector<std::string> found;
            const DeviceList list =
                service->getAvailableMediaDeviceByHardwareId(kSpeaker, MirelCoreUtils::toWideString(hardwareId));
            for (const auto& device : *list) found.push_back(MirelCoreUtils::toString(device->getSelectionId()));
            return found;
        });
    };
    EXPECT_EQ(matches("SRV\\desk\\"), std::vector<std::string>{"desk"});
    EXPECT_EQ(matches("SRV\\desk_dock\\"), std::vector<std::string>{"desk_dock"});
    EXPECT_EQ(matches(kButtonHeadsetHardwareId), std::vector<std::string>{});
}

}  // namespace
}  // namespace olvar::test
