// Ringtones through the whole module: the service's requests reach the simulated player's
// devices with the file's samples, and the ends come back as SoundPlayFinished.
#include <algorithm>

#include "MediaDeviceServiceImplTestSupport.h"
#include "ModuleTestFixture.h"
#include "WaveTestFiles.h"
#include "featuresets/adapters/mediaDevice/playback/SoundPlayUtils.h"
#include "featuresets/adapters/mediaDevice/playback/VolumeScaling.h"

namespace olvar::test {
namespace {

class ServiceSound : public ModuleTestFixture {
protected:
    void SetUp() override {
        setUpStarted();
        std::vector<std::int16_t> samples;
        for (int i = 0; i < 4800; ++i) samples.push_back(static_cast<std::int16_t>(i * 13 - 31000));
        data = samplesOf(samples);
        ringtone = folder.write("ring.wav", pcmWave(data));
        onDispatcher([&] {
            ringEnds = service->getMediaDeviceServiceNotifiers()->getSoundPlayFinishedNotifier()->connect(
                [this] { ends.push_back(service->getSoundPlayFinished()); });
        });
    }
    void TearDown() override {
        onDispatcher([&] {
            if (auto connection = ringEnds.lock()) connection->disconnect();
        });
    }
    Strings ringers() {
        return read([&] {
            Strings names;
            const auto available = service->getAvailableRingerDevices();
            for (const auto& ringer : *available)
                names.push_back(MirelCoreUtils::toString(ringer->getSelectionId()));
            return names;
        });
    }
    std::string scaled(int volume) const {
        auto samples = samplesIn(data);
        for (auto& sample : samples) sample = scaleSample(sample, volume);
        return samplesOf(samples);
    }

    WaveFolder folder;
    std::string data, ringtone;
    std::weak_ptr<PropertyNotifierConnection> ringEnds;
    std::vector<std::int32_t> ends;  // written on the dispatcher, read after drain()
};

TEST_F(ServiceSound, ARingtoneOnANamedRingerDeliversTheScaledSamplesAndReportsItsId) {
    EXPECT_TRUE(read([&] { return service->isAudioFileSupported(ringtone); }));
    EXPECT_FALSE(read([&] { return service->isAudioFileSupported(folder.path("none.wav")); }));
    const long id = read([&] { return service->playWaveFile(ringtone, "usb-headset-spk", 40, false); });
    ASSERT_NE(id, -1);
    drain();
    const auto playouts = backend->playouts();
    ASSERT_EQ(playouts.size(), 1u);
    EXPECT_EQ(playouts[0].deviceName, "usb-headset-spk");
    EXPECT_EQ(playouts[0].formatCode, 10);
    EXPECT_EQ(playouts[0].bytesConsumed, static_cast<std::int64_t>(data.size()));
    EXPECT_EQ(playouts[0].pcm, scaled(40));
    EXPECT_EQ(ends, std::vector<std::int32_t>{static_cast<std::int32_t>(id)});
    EXPECT_EQ(read([&] { return service->playWaveFile(ringtone, "no-such-ringer"); }), -1);
}

TEST_F(ServiceSound, AllRingersPlayOneSessionEachInListOrder) {
    const Strings names = ringers();
    ASSERT_GE(names.size(), 2u);
    auto ids = sessions();
    onDispatcher([&] { service->PlayWaveFileOnAllRingerDevices(ringtone, 100, ids, false); });
    drain();
    ASSERT_EQ(ids->size(), names.size());
    for (std::size_t i = 1; i < ids->size(); ++i) EXPECT_EQ((*ids)[i], (*ids)[i - 1] + 1);
    const auto playouts = backend->playouts();
    ASSERT_EQ(playouts.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(playouts[i].deviceName, names[i]);
        EXPECT_EQ(playouts[i].pcm, data) << names[i];
    }
    auto reported = ends;
    std::sort(reported.begin(), reported.end());
    EXPECT_EQ(std::vector<long>(reported.begin(), reported.end()), *ids);
}

TEST_F(ServiceSound, AMovedRingtoneReportsBothIdsAndStopsOnRequest) {
    const long first = read([&] { return service->playWaveFile(ringtone, "spk-builtin", 100, true); });
    const long moved = read([&] { return service->continueSoundOnNewDevice(first, "usb-headset-spk", 0); });
    ASSERT_NE(moved, -1);
    onDispatcher([&] { service->setVolumeForPlayingSessions(0, sessions({moved})); });
    onDispatcher([&] { service->StopWaveFileListPlayout(sessions({moved})); });
    drain();
    auto reported = ends;
    std::sort(reported.begin(), reported.end());
    EXPECT_EQ(reported, (std::vector<std::int32_t>{static_cast<std::int32_t>(first), static_cast<std::int32_t>(moved)}));
    const auto playouts = backend->playouts();
    ASSERT_EQ(playouts.size(), 2u);
    EXPECT_EQ(playouts[1].deviceName, "usb-headset-spk");
    EXPECT_TRUE(playouts[1].stopRequested);
}

TEST_F(ServiceSound, AfterStopFeatureSetNoEndReachesTheService) {
    const long id = read([&] { return service->playWaveFile(ringtone, "spk-builtin", 100, true); });
    ASSERT_NE(id, -1);
    adapter->StopFeatureSet(kFeatureSet, noEvents());
    SoundPlayUtils::StopAllWaveFilePlayout();
    drain();
    EXPECT_TRUE(backend->playouts().at(0).stopRequested);
    EXPECT_FALSE(backend->playouts().at(0).playing);
    EXPECT_TRUE(ends.empty());
}

}  // namespace
}  // namespace olvar::test
