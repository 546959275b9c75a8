#include <gtest/gtest.h>

#include "OverReportingSource.h"
#include "SimulatedTestSupport.h"
#include "olvar/LogCapture.h"
#include "olvar/PendingWork.h"
#include "velk/PcmFormat.h"
#include "velk/SimulatedBackend.h"

using namespace olvar::velk;

namespace olvar::test {
namespace {


class SimulatedPlayout : public ::testing::Test {
protected:
    explicit SimulatedPlayout(Pacing pacing = Pacing::AsFastAsPossible) : backend(SimulatedBackendOptions{pacing}) {}

    void SetUp() override {
        ASSERT_TRUE(backend.plug(simulatedDevice(DEVICE_KIND_PLAYBACK, "spk-1")));
        ASSERT_TRUE(backend.plug(simulatedDevice(DEVICE_KIND_RECORDING, "mic-1")));
        player = std::dynamic_pointer_cast<PcmPlayerEx>(backend.manager()->getPcmPlayer());
        ASSERT_NE(player, nullptr);
        player->addPlaybackObserver(&observer);
        ASSERT_TRUE(PendingWork::waitIdle());
    }
    void TearDown() override {
        ASSERT_TRUE(PendingWork::waitIdle());
        player->removePlaybackObserver(&observer);
    }

    SimulatedBackend backend;
    std::shared_ptr<PcmPlayerEx> player;
    RecordingPlayerObserver observer;
};

TEST_F(SimulatedPlayout, DrainsTheSourceAndReportsTheEndOnceOnThePlayerThread) {
    FiniteSource source(100001);  // not a multiple of the chunk size
    PlayoutStreamPtr stream;
    player->startStreamPlayout(stream, PCM_FORMAT_L16_48K_STEREO, "spk-1", &source);
    ASSERT_NE(stream, nullptr);
    ASSERT_TRUE(PendingWork::waitIdle());

    EXPECT_FALSE(stream->isPlaying());
    EXPECT_EQ(backend.bytesConsumed(stream), 100001);
    ASSERT_EQ(observer.finishedCount(stream), 1u);
    EXPECT_EQ(observer.contexts[0], nullptr);
    EXPECT_FALSE(observer.stillPlaying[0]) << "isPlaying is cleared before the report";
    EXPECT_EQ(observer.threads[0], "velk-playout");
    EXPECT_EQ(backend.calls().back(), "startStreamPlayout 10 spk-1");

    const auto records = backend.playouts();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].deviceName, "spk-1");
    EXPECT_EQ(records[0].formatCode, PCM_FORMAT_L16_48K_STEREO);
    EXPECT_FALSE(records[0].stopRequested);
    ASSERT_EQ(records[0].pcm.size(), 100001u) << "every byte pulled is kept";
    EXPECT_EQ(static_cast<unsigned char>(records[0].pcm[70000]), 70000 % 256);
    EXPECT_EQ(records[0].checksum, pcmChecksum(kPcmChecksumSeed, records[0].pcm.data(), records[0].pcm.size()));
}

TEST(PcmPlayerCapture, KeepsTheFirstBytesButCountsAndChecksumsAll) {
    SimulatedBackendOptions options{Pacing::AsFastAsPossible};
    options.pcmKeptPerStream = 1000;
    SimulatedBackend backend(options);
    ASSERT_TRUE(backend.plug(simulatedDevice(DEVICE_KIND_PLAYBACK, "spk-1")));
    FiniteSource source(5000), same(5000);
    PlayoutStreamPtr stream;
    backend.manager()->getPcmPlayer()->startStreamPlayout(stream, PCM_FORMAT_L16_8K, "spk-1", &source);
    ASSERT_TRUE(PendingWork::waitIdle());
    std::string all(5000, '\0');
    ASSERT_EQ(same.read(all.data(), 5000), 5000);
    const auto record = backend.playouts().at(0);
    EXPECT_EQ(record.bytesConsumed, 5000);
    EXPECT_EQ(record.pcm, all.substr(0, 1000));
    EXPECT_EQ(record.checksum, pcmChecksum(kPcmChecksumSeed, all.data(), all.size()));
}

TEST_F(SimulatedPlayout, NegativeReadEndsTheStreamLikeZero) {
    FiniteSource source(320, -1);
    PlayoutStreamPtr stream;
    player->startStreamPlayout(stream, PCM_FORMAT_L16_8K, "spk-1", &source);
    ASSERT_NE(stream, nullptr);
    ASSERT_TRUE(PendingWork::waitIdle());
    EXPECT_EQ(backend.bytesConsumed(stream), 320);
    EXPECT_EQ(observer.finishedCount(stream), 1u);
}

TEST_F(SimulatedPlayout, OverLongReadIsClampedToTheBufferAndLogged) {
    log::LogCapture capture(OLVAR_LOG_ERROR, "velk-SimulatedPcmPlayer");
    OverReportingSource source;
    PlayoutStreamPtr stream;
    player->startStreamPlayout(stream, PCM_FORMAT_L16_8K, "spk-1", &source);
    ASSERT_NE(stream, nullptr);
    ASSERT_TRUE(PendingWork::waitIdle());
    ASSERT_GT(source.asked, 0);
    EXPECT_EQ(backend.bytesConsumed(stream), source.asked);
    EXPECT_EQ(observer.finishedCount(stream), 1u);
    EXPECT_EQ(capture.count(OLVAR_LOG_ERROR, "the source reported more bytes than asked for; clamped"), 1u);
}

TEST_F(SimulatedPlayout, StopEndsAStreamWhoseSourceNeverRunsDry) {
    EndlessSource source;
    PlayoutStreamPtr stream;
    player->startStreamPlayout(stream, PCM_FORMAT_L16_16K, "spk-1", &source);
    ASSERT_NE(stream, nullptr);
    source.waitForFirstRead();
    stream->stop();
    ASSERT_TRUE(PendingWork::waitIdle());

    EXPECT_FALSE(stream->isPlaying());
    EXPECT_GT(backend.bytesConsumed(stream), 0);
    EXPECT_EQ(observer.finishedCount(stream), 1u);
    EXPECT_TRUE(backend.playouts()[0].stopRequested);
    EXPECT_EQ(backend.callCount("stop 1"), 1u);
    stream->stop();  // stopping a finished stream changes nothing
    ASSERT_TRUE(PendingWork::waitIdle());
    EXPECT_EQ(observer.finishedCount(stream), 1u);
}

TEST_F(SimulatedPlayout, UnknownDevicesAndUnsupportedFormatsGiveNoStream) {
    FiniteSource source(100);
    class LeftoverStream : public PlayoutStream {
        bool isPlaying() override { return true; }
        void stop() override {}
    };
    PlayoutStreamPtr stream = std::make_shared<LeftoverStream>();  // must be cleared on failure
    player->startStreamPlayout(stream, PCM_FORMAT_L16_16K, "nobody", &source);
    EXPECT_EQ(stream, nullptr);
    player->startStreamPlayout(stream, PCM_FORMAT_L16_16K, "mic-1", &source);  // not a playback device
    EXPECT_EQ(stream, nullptr);
    player->startStreamPlayout(stream, PCM_FORMAT_NONE, "spk-1", &source);
    EXPECT_EQ(stream, nullptr);
    player->startStreamPlayout(stream, 5, "spk-1", &source);
    EXPECT_EQ(stream, nullptr);
    player->startStreamPlayout(stream, PCM_FORMAT_L16_16K, "spk-1", nullptr);
    EXPECT_EQ(stream, nullptr);
    ASSERT_TRUE(PendingWork::waitIdle());
    EXPECT_EQ(source.reads.load(), 0);
    EXPECT_TRUE(backend.playouts().empty());
    EXPECT_EQ(backend.callCount("startStreamPlayout"), 5u);
}

TEST_F(SimulatedPlayout, StreamsPlayIndependentlyAndMayBeStartedFromTheEndReport) {
    // Moves a finished playback to a second stream once, as a caller switching devices would.
    class Restarter : public PcmPlayer_Observer {
    public:
        Restarter(PcmPlayer& player, Source& next) : m_player(player), m_next(next) {}
        void onPlayoutFinished(void*, PlayoutStreamPtr) override {
            std::lock_guard<std::mutex> lock(m_mutex);  // two streams may end at once
            if (m_restarted) return;
            m_player.startStreamPlayout(m_restarted, PCM_FORMAT_L16_16K, "spk-1", &m_next);
        }
        PlayoutStreamPtr restarted() {
            std::lock_guard<std::mutex> lock(m_mutex);
            return m_restarted;
        }

    private:
        std::mutex m_mutex;
        PlayoutStreamPtr m_restarted;
        PcmPlayer& m_player;
        Source& m_next;
    };
    FiniteSource first(1000), second(2000), follow(500);
    Restarter restarter(*player, follow);
    PlayoutStreamPtr a, b;
    player->startStreamPlayout(a, PCM_FORMAT_L16_16K, "spk-1", &first);
    player->addPlaybackObserver(&restarter);
    player->startStreamPlayout(b, PCM_FORMAT_L16_24K_MONO, "spk-1", &second);
    ASSERT_TRUE(PendingWork::waitIdle());
    player->removePlaybackObserver(&restarter);

    ASSERT_NE(restarter.restarted(), nullptr);
    EXPECT_EQ(backend.bytesConsumed(a), 1000);
    EXPECT_EQ(backend.bytesConsumed(b), 2000);
    EXPECT_EQ(backend.bytesConsumed(restarter.restarted()), 500);
    EXPECT_EQ(observer.finishedCount(a), 1u);
    EXPECT_EQ(observer.finishedCount(b), 1u);
    EXPECT_EQ(observer.finishedCount(restarter.restarted()), 1u);
}

TEST_F(SimulatedPlayout, BufferingModeIsKeptAndInvalidModesIgnored) {
    EXPECT_EQ(backend.audioBufferingMode(), 2);
    player->setAudioBufferingMode(1);
    EXPECT_EQ(player->getAudioBufferingMode(), 1);
    player->setAudioBufferingMode(3);
    player->setAudioBufferingMode(-1);
    EXPECT_EQ(backend.audioBufferingMode(), 1);
    EXPECT_EQ(backend.callCount("setAudioBufferingMode"), 3u);
}

class RealTimePlayout : public SimulatedPlayout {
protected:
    RealTimePlayout() : SimulatedPlayout(Pacing::RealTime) {}
};

TEST_F(RealTimePlayout, StopInterruptsThePacingWait) {
    FiniteSource hourOfAudio(16000 * 2 * 3600);
    PlayoutStreamPtr stream;
    player->startStreamPlayout(stream, PCM_FORMAT_L16_16K, "spk-1", &hourOfAudio);
    ASSERT_NE(stream, nullptr);
    stream->stop();
    ASSERT_TRUE(PendingWork::waitIdle());
    EXPECT_FALSE(stream->isPlaying());
    EXPECT_LT(backend.bytesConsumed(stream), 16000 * 2);
    EXPECT_EQ(observer.finishedCount(stream), 1u);
}

TEST(PcmPlayerLifetime, DestroyingTheBackendStopsAndJoinsPlayingStreams) {
    EndlessSource source;
    RecordingPlayerObserver observer;
    PlayoutStreamPtr stream;
    {
        SimulatedBackend backend(SimulatedBackendOptions{Pacing::RealTime});
        ASSERT_TRUE(backend.plug(simulatedDevice(DEVICE_KIND_PLAYBACK, "spk-1")));
        auto player = backend.manager()->getPcmPlayer();
        player->addPlaybackObserver(&observer);
        player->startStreamPlayout(stream, PCM_FORMAT_L16_48K_STEREO, "spk-1", &source);
        ASSERT_NE(stream, nullptr);
        source.waitForFirstRead();
    }
    EXPECT_FALSE(stream->isPlaying());
    EXPECT_EQ(observer.finishedCount(stream), 1u);
    EXPECT_EQ(PendingWork::pending(), 0);
}

}  // namespace
}  // namespace olvar::test
