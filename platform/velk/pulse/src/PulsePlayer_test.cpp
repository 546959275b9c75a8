// The PCM player against the tests' sound server: what is played arrives on the sink
// unchanged, and each stream reports its end exactly once whatever ends it.
#include <gtest/gtest.h>
#include <pulse/error.h>
#include <pulse/timeval.h>
#include <pulse/simple.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "OverReportingSource.h"
#include "PulseBackendFixture.h"
#include "PulseMonitorRecorder.h"
#include "olvar/LogCapture.h"
#include "velk/PcmFormat.h"

using namespace olvar::velk;

namespace olvar::test {
namespace {

using PulsePlayer = PulseBackendFixture;

// Hands out the bytes it was given, then answers every read with `endResult`.
class BufferSource : public Source {
public:
    explicit BufferSource(std::vector<char> bytes, int endResult = 0) : m_bytes(std::move(bytes)), m_end(endResult) {}
    int read(void* buffer, int size) override {
        const int n = std::min<int>(size, static_cast<int>(m_bytes.size() - m_position));
        if (n <= 0) return m_end;
        std::memcpy(buffer, m_bytes.data() + m_position, static_cast<std::size_t>(n));
        m_position += static_cast<std::size_t>(n);
        return n;
    }

private:
    std::vector<char> m_bytes;
    std::size_t m_position = 0;
    const int m_end;
};

// Silence forever; tells when the player has begun pulling.
class EndlessSource : public Source {
public:
    int read(void* buffer, int size) override {
        std::memset(buffer, 0, static_cast<std::size_t>(size));
        reads.add("read");
        return size;
    }
    EventLog reads;
};

std::vector<char> bytesOf(const std::vector<int16_t>& samples) {
    const auto* first = reinterpret_cast<const char*>(samples.data());
    return std::vector<char>(first, first + samples.size() * sizeof(int16_t));
}

TEST_F(PulsePlayer, PlayedSamplesArriveOnTheSinkUnchangedAndTheEndIsReportedOnce) {
    const std::string sink = uniqueName("player_sink");
    LoadedModule module(nullSinkArguments(sink, "") + " rate=48000 channels=2 format=s16le");
    ASSERT_TRUE(devices.log.waitFor("added " + sink));
    const std::vector<int16_t> samples = rampFrames(48000 / 4);
    MonitorRecorder recorder(testServer(), sink, samples.size());
    // The sink renders a little ahead of time and rewrites that when a stream starts; its
    // monitor has already passed on the first version. Leading silence absorbs that.
    std::vector<int16_t> played(48000 / 5 * 2, 0);
    played.insert(played.end(), samples.begin(), samples.end());
    BufferSource source(bytesOf(played));

    PlayoutStreamPtr stream;
    player->startStreamPlayout(stream, PCM_FORMAT_L16_48K_STEREO, sink, &source);
    ASSERT_TRUE(stream);
    ASSERT_TRUE(ends.waitFor(stream));
    EXPECT_FALSE(stream->isPlaying());
    const RecordingCheck check = checkRecording(recorder.finish(), samples);
    EXPECT_TRUE(check.passed) << check.problem;

    finishBackend();
    EXPECT_EQ(ends.count(stream), 1u);
}

TEST_F(PulsePlayer, EveryFormatOfTheWaveReaderPlaysToItsEnd) {
    const int codes[] = {PCM_FORMAT_L16_8K,         PCM_FORMAT_L16_16K,       PCM_FORMAT_L16_24K_MONO,
                         PCM_FORMAT_L16_24K_STEREO, PCM_FORMAT_L16_48K_MONO,  PCM_FORMAT_L16_48K_STEREO,
                         PCM_FORMAT_MULAW_8K,       PCM_FORMAT_ALAW_8K};
    std::vector<std::unique_ptr<BufferSource>> sources;
    std::vector<PlayoutStreamPtr> streams;
    for (int code : codes) {
        // 50 ms each, an odd byte count at the end and a source that ends with an error.
        sources.push_back(std::make_unique<BufferSource>(std::vector<char>(pcmFormatByteRate(code) / 20 + 1, 7), -1));
        PlayoutStreamPtr stream;
        player->startStreamPlayout(stream, code, "ci_speakers", sources.back().get());
        ASSERT_TRUE(stream) << code;
        streams.push_back(stream);
    }
    for (const auto& stream : streams) EXPECT_TRUE(ends.waitFor(stream));
    finishBackend();
    for (const auto& stream : streams) EXPECT_EQ(ends.count(stream), 1u);
}

TEST_F(PulsePlayer, OverLongReadIsClampedAndTheStreamStillEndsOnce) {
    log::LogCapture capture(OLVAR_LOG_ERROR, "velk-PulsePlayoutStream");
    OverReportingSource source;
    PlayoutStreamPtr stream;
    player->startStreamPlayout(stream, PCM_FORMAT_L16_8K, "ci_speakers", &source);
    ASSERT_TRUE(stream);
    ASSERT_TRUE(ends.waitFor(stream));
    finishBackend();
    EXPECT_EQ(ends.count(stream), 1u);
    EXPECT_EQ(capture.count(OLVAR_LOG_ERROR, "the source reported more bytes than asked for; clamped"), 1u);
}

TEST_F(PulsePlayer, UnknownSinkFormatOrSourceGiveNoStream) {
    EndlessSource source;
    PlayoutStreamPtr stream;
    player->startStreamPlayout(stream, PCM_FORMAT_L16_8K, uniqueName("no_such_sink"), &source);
    EXPECT_FALSE(stream);
    player->startStreamPlayout(stream, PCM_FORMAT_L16_8K, "ci_mic", &source);
    EXPECT_FALSE(stream) << "a microphone is no sink";
    player->startStreamPlayout(stream, 5, "ci_speakers", &source);
    EXPECT_FALSE(stream);
    player->startStreamPlayout(stream, PCM_FORMAT_L16_8K, "ci_speakers", nullptr);
    EXPECT_FALSE(stream);
}

TEST_F(PulsePlayer, StopEndsAnEndlessStreamOnce) {
    EndlessSource source;
    PlayoutStreamPtr stream;
    player->startStreamPlayout(stream, PCM_FORMAT_L16_16K, "ci_speakers", &source);
    ASSERT_TRUE(stream);
    ASSERT_TRUE(source.reads.waitFor("read"));
    EXPECT_TRUE(stream->isPlaying());
    stream->stop();
    stream->stop();
    ASSERT_TRUE(ends.waitFor(stream));
    EXPECT_FALSE(stream->isPlaying());
    finishBackend();
    EXPECT_EQ(ends.count(stream), 1u);
}

TEST_F(PulsePlayer, SinkUnloadedMidPlayEndsTheStreamOnce) {
    const std::string sink = uniqueName("vanishing_sink");
    LoadedModule module(nullSinkArguments(sink));
    ASSERT_TRUE(devices.log.waitFor("added " + sink));
    EndlessSource source;
    PlayoutStreamPtr stream;
    player->startStreamPlayout(stream, PCM_FORMAT_L16_48K_STEREO, sink, &source);
    ASSERT_TRUE(stream);
    ASSERT_TRUE(source.reads.waitFor("read"));

    module.unload();
    ASSERT_TRUE(ends.waitFor(stream));
    EXPECT_FALSE(stream->isPlaying());
    ASSERT_TRUE(devices.log.waitFor("removed " + sink));
    stream->stop();  // after the end: nothing more happens
    finishBackend();
    EXPECT_EQ(ends.count(stream), 1u);
}

}  // namespace
}  // namespace olvar::test
