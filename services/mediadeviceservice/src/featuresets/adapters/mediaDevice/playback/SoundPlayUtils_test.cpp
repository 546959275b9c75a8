// Playback sessions: ids, stop, volume, moving a sound, end reports and their sweep, on a
// player the test drives by hand and on the simulated device manager's threads.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "ModuleTestNames.h"
#include "SoundPlayUtilsTestSupport.h"
#include "WaveTestFiles.h"
#include "featuresets/adapters/mediaDevice/playback/PlaybackObserver.h"
#include "featuresets/adapters/mediaDevice/playback/SessionIdSequence.h"
#include "featuresets/adapters/mediaDevice/playback/SoundPlayUtils.h"
#include "olvar/LogCapture.h"
#include "olvar/PendingWork.h"
#include "velk/SimulatedBackend.h"

namespace olvar::test {
namespace {

using olvar::PendingWork;
using olvar::velk::PcmPlayer_Observer;

std::shared_ptr<std::vector<long>> idList(std::vector<long> ids) {
    return std::make_shared<std::vector<long>>(std::move(ids));
}

// The test plays the player's part: it reads the sources and says when streams end.
class ManualSessions : public ::testing::Test {
protected:
    void SetUp() override {
        VelkWrapper::Instance()->setBackend(backend);
        sound = folder.write("sound.wav", pcmWave(samplesOf({-3, 3, 1000, -1000})));
    }
    void TearDown() override {
        for (const auto& stream : player().streams)
            if (stream->playing) player().end(stream);
        VelkWrapper::Instance()->setBackend(nullptr);
    }
    ManualPlayer& player() { return *backend->player; }
    std::shared_ptr<ManualStream> stream(std::size_t i) { return player().streams.at(i); }
    long play(const std::string& device = "ring-1", bool loop = false, SoundPlayUtilsObserver* o = nullptr) {
        return SoundPlayUtils::PlayWaveFile(sound, device, 100, loop, o ? o : &observer);
    }
    static std::vector<std::int16_t> readFrom(const std::shared_ptr<ManualStream>& stream) {
        std::vector<std::int16_t> samples(4);
        stream->source->read(samples.data(), 8);
        return samples;
    }

    std::shared_ptr<ManualBackend> backend = std::make_shared<ManualBackend>();
    RecordingSessionObserver observer;
    WaveFolder folder;
    std::string sound;
};

TEST(SessionIdSequence, StartsAtZeroAndStartsAgainAfter900001) {
    SessionIdSequence fresh;
    EXPECT_EQ(fresh.take(), 0);
    EXPECT_EQ(fresh.take(), 1);
    SessionIdSequence nearTheEnd(SessionIdSequence::kLastIdBeforeWrap);
    EXPECT_EQ(nearTheEnd.take(), 900000);
    EXPECT_EQ(nearTheEnd.take(), 900001);
    EXPECT_EQ(nearTheEnd.take(), 0);
}

TEST_F(ManualSessions, EachSessionTakesTheNextIdAndItsEndIsReportedUnderIt) {
    // Each sound ends before the next starts: a reused id would replace a session still playing.
    auto playAndEnd = [&] {
        const long id = play();
        player().end(player().streams.back());
        return id;
    };
    const long first = playAndEnd();
    const long second = playAndEnd();
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(observer.finished(), (std::vector<long>{first, second}));
}

TEST_F(ManualSessions, FailuresRegisterNothingAndUseNoId) {
    olvar::log::LogCapture log(OLVAR_LOG_WARNING, "MediadeviceService-SoundPlayUtils");
    const long before = play();
    const std::string missing = folder.path("missing.wav");
    EXPECT_EQ(SoundPlayUtils::PlayWaveFile(missing, "ring-1", 100, false, &observer), -1);
    EXPECT_EQ(log.count(OLVAR_LOG_WARNING, "Creating wave file source failed. Does file exist: " + missing), 1u);
    EXPECT_EQ(player().streams.size(), 1u) << "the player was never asked";

    EXPECT_EQ(play("nowhere"), -1);
    EXPECT_EQ(log.count(OLVAR_LOG_WARNING, "Failed to start VELK session for wave file: " + sound), 1u);
    EXPECT_EQ(play(), before + 1) << "no id was spent on the failures";
    EXPECT_FALSE(SoundPlayUtils::IsAudioFileSupported(missing));
    EXPECT_TRUE(SoundPlayUtils::IsAudioFileSupported(sound));
}

TEST_F(ManualSessions, StopAffectsOnlyItsSessionAndStopAllOnlyPlayingStreams) {
    const long a = play(), b = play(), c = play();
    SoundPlayUtils::StopWaveFilePlayout(b);
    SoundPlayUtils::StopWaveFilePlayout(424242);
    SoundPlayUtils::StopWaveFilePlayout(0x100000000L + b);  // not an id, whatever its low bits
    EXPECT_EQ(stream(0)->stops + stream(1)->stops + stream(2)->stops, 1);
    EXPECT_EQ(stream(1)->stops, 1);

    player().end(stream(0), false);  // ended, not yet reported: still in the tables
    SoundPlayUtils::StopAllWaveFilePlayout();
    EXPECT_EQ(stream(0)->stops, 0);
    EXPECT_EQ(stream(1)->stops, 2);
    EXPECT_EQ(stream(2)->stops, 1);
    EXPECT_TRUE(observer.finished().empty()) << "stopping changes no table";

    player().end(stream(2));
    EXPECT_EQ(observer.finished(), (std::vector<long>{c, a})) << "the unreported end is collected by the sweep";
    SoundPlayUtils::StopWaveFilePlayout(a);
    EXPECT_EQ(stream(0)->stops, 0) << "stopping an ended session does nothing";
    player().end(stream(0));
    EXPECT_EQ(observer.count(a), 1u) << "its late report finds nothing";
}

TEST_F(ManualSessions, AnEndOfAStreamThatIsNotOursSweepsNothing) {
    const long a = play();
    player().end(stream(0), false);
    player().end(std::make_shared<ManualStream>(nullptr));
    EXPECT_TRUE(observer.finished().empty());
    player().end(stream(0));
    EXPECT_EQ(observer.finished(), std::vector<long>{a});
}

TEST_F(ManualSessions, VolumeReachesOnlyTheListedSessionsThatPlay) {
    const long a = play(), b = play();
    (void)b;
    SoundPlayUtils::SetVolumeForPlayingSessions(50, idList({777, a, -1}));
    SoundPlayUtils::SetVolumeForPlayingSessions(0, nullptr);
    EXPECT_EQ(readFrom(stream(0)), (std::vector<std::int16_t>{-1, 1, 500, -500}));
    EXPECT_EQ(readFrom(stream(1)), (std::vector<std::int16_t>{-3, 3, 1000, -1000}));
    player().end(stream(0));
    SoundPlayUtils::SetVolumeForPlayingSessions(10, idList({a}));  // ended: nothing to change
    SUCCEED();
}

TEST_F(ManualSessions, ContinueMovesTheSourceFromItsPositionUnderANewId) {
    const long first = play("ring-1", true);
    std::vector<std::int16_t> half(2);
    stream(0)->source->read(half.data(), 4);
    const long moved = SoundPlayUtils::ContinueSoundOnNewDevice(first, "ring-2", 99, &observer);
    ASSERT_NE(moved, -1);
    EXPECT_NE(moved, first);
    EXPECT_EQ(stream(0)->stops, 1);
    EXPECT_EQ(stream(1)->source, stream(0)->source) << "the same source goes on";
    std::vector<std::int16_t> rest(2);
    stream(1)->source->read(rest.data(), 4);
    EXPECT_EQ(rest, (std::vector<std::int16_t>{1000, -1000}));

    EXPECT_EQ(SoundPlayUtils::ContinueSoundOnNewDevice(31337, "ring-2", 0, &observer), -1);
    EXPECT_EQ(SoundPlayUtils::ContinueSoundOnNewDevice(moved, "nowhere", 0, &observer), -1);
    EXPECT_EQ(stream(1)->stops, 1) << "stopped before the new device refused";
    EXPECT_EQ(player().streams.size(), 2u);

    player().end(stream(0));
    player().end(stream(1));
    EXPECT_EQ(observer.finished(), (std::vector<long>{first, moved}));
}

TEST_F(ManualSessions, SessionsWithoutAnObserverOrAfterClearingAreRemovedSilently) {
    const long silent = SoundPlayUtils::PlayWaveFile(sound, "ring-1", 100, false, nullptr);
    const long cleared = play();
    SoundPlayUtils::ClearSessionObservers();
    player().end(stream(0));
    player().end(stream(1));
    EXPECT_TRUE(observer.finished().empty());
    SoundPlayUtils::StopWaveFilePlayout(silent);
    SoundPlayUtils::StopWaveFilePlayout(cleared);
    EXPECT_EQ(stream(0)->stops + stream(1)->stops, 0) << "both sessions are gone";
}

TEST(PlaybackObserverRegistration, FollowsThePlayerAndLeavesItWhenDestroyed) {
    auto first = std::make_shared<ManualPlayer>(), second = std::make_shared<ManualPlayer>();
    {
        PlaybackObserver observer([](const olvar::velk::PlayoutStreamPtr&) {});
        observer.attachTo(first);
        observer.attachTo(first);
        EXPECT_EQ(first->observers, std::vector<PcmPlayer_Observer*>{&observer});
        observer.attachTo(second);
        EXPECT_TRUE(first->observers.empty());
        EXPECT_EQ(second->observers.size(), 1u);
    }
    EXPECT_TRUE(second->observers.empty()) << "nothing is left registered when the module unloads";
}

// The same, on the simulated device manager: every stream has a thread of its own and the
// as-fast-as-possible pace ends short sounds before PlayWaveFile returns.
class SimulatedSessions : public ::testing::Test {
protected:
    void SetUp() override { install(); }
    void TearDown() override {
        SoundPlayUtils::StopAllWaveFilePlayout();
        ASSERT_TRUE(PendingWork::waitIdle());
        SoundPlayUtils::ClearSessionObservers();
        VelkWrapper::Instance()->setBackend(nullptr);
    }
    void install(std::size_t pcmKept = 1 << 20) {
        olvar::velk::SimulatedBackendOptions options{olvar::velk::Pacing::AsFastAsPossible};
        options.pcmKeptPerStream = pcmKept;
        backend = std::make_shared<olvar::velk::SimulatedBackend>(options);
        for (const char* name : {"ring-1", "ring-2"}) {
            olvar::velk::SimulatedDevice device;
            device.kind = olvar::velk::DEVICE_KIND_PLAYBACK;
            device.selectionId = device.name = name;
            ASSERT_TRUE(backend->plug(device));
        }
        VelkWrapper::Instance()->setBackend(backend);
        ASSERT_TRUE(PendingWork::waitIdle());
    }
    std::shared_ptr<olvar::velk::SimulatedBackend> backend;
    RecordingSessionObserver observer;
    WaveFolder folder;
};

TEST_F(SimulatedSessions, EndsReportedBeforeRegistrationAreReportedOnce) {
    const std::string tiny = folder.write("tiny.wav", pcmWave(samplesOf({1, 2})));
    std::vector<long> ids;
    for (int i = 0; i < 40; ++i) ids.push_back(SoundPlayUtils::PlayWaveFile(tiny, "ring-1", 100, false, &observer));
    ASSERT_TRUE(PendingWork::waitIdle());
    for (long id : ids) EXPECT_EQ(observer.count(id), 1u) << "session " << id;
    EXPECT_EQ(observer.finished().size(), ids.size());
}

TEST_F(SimulatedSessions, SessionsOnAFreshDeviceManagerStillReportTheirEnd) {
    const std::string sound = folder.write("s.wav", pcmWave(samplesOf({1, 2, 3, 4})));
    const long first = SoundPlayUtils::PlayWaveFile(sound, "ring-1", 100, false, &observer);
    ASSERT_TRUE(PendingWork::waitIdle());
    const auto previous = backend;
    install();
    const long second = SoundPlayUtils::PlayWaveFile(sound, "ring-2", 100, false, &observer);
    ASSERT_TRUE(PendingWork::waitIdle());
    EXPECT_EQ(observer.finished(), (std::vector<long>{first, second}));
    EXPECT_EQ(previous->callCount("removePlaybackObserver"), 1u) << "the old player is left";
    EXPECT_EQ(backend->callCount("addPlaybackObserver"), 1u);
}

// A looping sound never ends by itself, so every move succeeds; the frames carry their
// numbers, so the streams together must have delivered exactly the start of the endless
// looped sound, whatever two streams read at the same moment.
TEST_F(SimulatedSessions, MovingASoundManyTimesNeitherEndsItNorSkipsOrRepeatsFrames) {
    install(std::size_t{1} << 30);
    constexpr std::uint32_t kFrames = 4800;
    const std::string sound = folder.write("numbered.wav", pcmWave(numberedFrames(kFrames)));
    std::vector<long> ids{SoundPlayUtils::PlayWaveFile(sound, "ring-1", 100, true, &observer)};
    for (int move = 1; move <= 150; ++move) {
        ids.push_back(SoundPlayUtils::ContinueSoundOnNewDevice(ids.back(), move % 2 ? "ring-2" : "ring-1", 0,
                                                               &observer));
        ASSERT_NE(ids.back(), -1) << "move " << move;
    }
    SoundPlayUtils::StopWaveFilePlayout(ids.back());
    ASSERT_TRUE(PendingWork::waitIdle());

    EXPECT_EQ(std::set<long>(ids.begin(), ids.end()).size(), ids.size());
    for (long id : ids) EXPECT_EQ(observer.count(id), 1u) << "session " << id;
    const auto playouts = backend->playouts();
    ASSERT_EQ(playouts.size(), ids.size());
    std::map<std::uint32_t, std::uint64_t> counts;
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < playouts.size(); ++i) {
        EXPECT_EQ(playouts[i].deviceName, i % 2 ? "ring-2" : "ring-1");
        ASSERT_EQ(playouts[i].pcm.size(), static_cast<std::size_t>(playouts[i].bytesConsumed));
        for (std::uint32_t frame : frameNumbers(playouts[i].pcm)) ++counts[frame], ++total;
    }
    ASSERT_GT(total, 0u);
    for (std::uint32_t frame = 0; frame < kFrames; ++frame)
        ASSERT_EQ(counts[frame], total / kFrames + (frame < total % kFrames ? 1 : 0)) << "frame " << frame;
    EXPECT_LE(counts.size(), kFrames);
}

}  // namespace
}  // namespace olvar::test
