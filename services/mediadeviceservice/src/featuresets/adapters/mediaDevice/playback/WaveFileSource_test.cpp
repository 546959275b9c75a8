// Serving samples to the player: bounds, trailing chunks, looping, volume, concurrent readers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <thread>

#include "ModuleTestNames.h"
#include "WaveTestFiles.h"
#include "featuresets/adapters/mediaDevice/playback/VolumeScaling.h"
#include "featuresets/adapters/mediaDevice/playback/WaveFileSource.h"

namespace olvar::test {
namespace {

class WaveFileSources : public ::testing::Test {
protected:
    std::string file(const std::string& bytes) { return folder.write("s" + std::to_string(written++) + ".wav", bytes); }
    // Reads of length bytes until the source ends, each result and bytes in order.
    static std::vector<int> readAll(WaveFileSource& source, int length, std::string* bytes = nullptr, int limit = 100) {
        std::vector<int> results;
        std::string buffer(static_cast<std::size_t>(length), '\0');
        while (limit-- > 0) {
            const int n = source.read(buffer.data(), length);
            results.push_back(n);
            if (n <= 0) break;
            if (bytes) bytes->append(buffer, 0, static_cast<std::size_t>(n));
        }
        return results;
    }
    WaveFolder folder;
    int written = 0;
};

TEST_F(WaveFileSources, TrailingChunksArePlayedAndLoopingRewindsOnlyAtTheEndOfTheFile) {
    const std::string data = samplesOf({1, 2, 3, 4});
    const std::string trailing = chunk("LIST", "info");
    const std::string withTrailer = file(riff(chunk("fmt ", fmtBody({})) + chunk("data", data) + trailing));
    for (bool loop : {false, true}) {
        WaveFileSource source(withTrailer, 100, loop);
        std::string played;
        EXPECT_EQ(readAll(source, 100, &played), (std::vector<int>{20, -1})) << "loop " << loop;
        EXPECT_EQ(played, data + trailing) << "no rewind at the end of the data chunk";
        // The end of the data is tested before each read: the read that crosses it runs on.
        WaveFileSource small(withTrailer, 100, loop);
        played.clear();
        EXPECT_EQ(readAll(small, 6, &played), (std::vector<int>{6, 6, -1})) << "loop " << loop;
        EXPECT_EQ(played, (data + trailing).substr(0, 12));
    }

    WaveFileSource looping(file(pcmWave(data)), 100, true);
    std::string played;
    EXPECT_EQ(readAll(looping, 6, &played, 4), (std::vector<int>{6, 2, 6, 2}));
    EXPECT_EQ(played, data + data);

    WaveFileSource once(file(pcmWave(data)), 100, false);
    EXPECT_EQ(readAll(once, 100), (std::vector<int>{8, 0}));
    EXPECT_EQ(readAll(once, 100), (std::vector<int>{0})) << "stays at the end";
}

TEST_F(WaveFileSources, DataSizesThatDoNotFitTheFile) {
    const std::string data = samplesOf({5, 6, 7});
    // A streamed file's size field: data offset + size would wrap in 32 bits.
    const std::string streamed = file(riff(chunk("fmt ", fmtBody({})) + chunk("data", data, 0xFFFFFFFFu)));
    WaveFileSource plain(streamed, 100, false);
    std::string played;
    EXPECT_EQ(readAll(plain, 4, &played), (std::vector<int>{4, 2, 0}));
    EXPECT_EQ(played, data);
    WaveFileSource looping(streamed, 100, true);
    EXPECT_EQ(readAll(looping, 6, nullptr, 3), (std::vector<int>{6, 6, 6}));

    // A looping sound with no data at all ends instead of rewinding for ever.
    WaveFileSource empty(file(pcmWave("")), 100, true);
    EXPECT_EQ(empty.getFormat(), 10);
    EXPECT_EQ(readAll(empty, 64), (std::vector<int>{0}));
}

TEST_F(WaveFileSources, AFailedSourceNeverPlaysItsBytes) {
    const std::string notWave = file("RIFF....AVI " + std::string(100, 'x'));
    WaveFileSource source(notWave, 100, true);
    EXPECT_EQ(source.getFormat(), 0);
    char buffer[64];
    EXPECT_EQ(source.read(buffer, sizeof buffer), -1);
    WaveFileSource missing(folder.path("missing.wav"), 100, false);
    EXPECT_EQ(missing.read(buffer, sizeof buffer), -1);
}

TEST_F(WaveFileSources, VolumeScalesTowardZeroAppliesFromTheNextReadAndIsClamped) {
    const std::vector<std::int16_t> samples = {-3, 3, -32768, 32767, 1, -1, 0, 101};
    const std::string path = file(pcmWave(samplesOf(samples)));
    auto firstRead = [&](int volume, std::function<void(WaveFileSource&)> change = {}) {
        WaveFileSource source(path, volume, false);
        if (change) change(source);
        std::string buffer(samples.size() * 2, '\0');
        EXPECT_EQ(source.read(buffer.data(), static_cast<int>(buffer.size())), static_cast<int>(buffer.size()));
        return samplesIn(buffer);
    };
    EXPECT_EQ(firstRead(100), samples) << "volume 100 leaves every byte";
    EXPECT_EQ(firstRead(50), (std::vector<std::int16_t>{-1, 1, -16384, 16383, 0, 0, 0, 50}));
    EXPECT_EQ(firstRead(0), std::vector<std::int16_t>(samples.size(), 0));
    EXPECT_EQ(firstRead(250), samples) << "above 100 is 100";
    EXPECT_EQ(firstRead(-20), std::vector<std::int16_t>(samples.size(), 0)) << "below 0 is 0";
    EXPECT_EQ(firstRead(100, [](WaveFileSource& s) { s.setVolume(50); })[0], -1);
    EXPECT_EQ(firstRead(50, [](WaveFileSource& s) { s.setVolume(100); }), samples);
}

TEST_F(WaveFileSources, TheWholeRequestedLengthIsScaledBeyondTheBytesDelivered) {
    WaveFileSource source(file(pcmWave(samplesOf({40}))), 50, false);
    std::vector<std::int16_t> buffer = {0, 1000, -1000};
    EXPECT_EQ(source.read(buffer.data(), 6), 2);
    EXPECT_EQ(buffer, (std::vector<std::int16_t>{20, 500, -500}));
}

// Two player threads may read one source for a moment after it moved to another device:
// every read must take its own range, so the frames delivered, in whatever thread, are
// exactly the start of the endless looped sound.
TEST_F(WaveFileSources, ConcurrentReadersNeitherRepeatNorSkipFrames) {
    constexpr std::uint32_t kFrames = 1000;
    WaveFileSource source(file(pcmWave(numberedFrames(kFrames))), 100, true);
    constexpr int kThreads = 4, kReads = 400;
    std::vector<std::string> received(kThreads);
    std::vector<std::thread> readers;
    for (int t = 0; t < kThreads; ++t) {
        readers.emplace_back([&, t] {
            std::string buffer(4 * (t + 3), '\0');  // different lengths, all whole frames
            for (int i = 0; i < kReads; ++i) {
                const int n = source.read(buffer.data(), static_cast<int>(buffer.size()));
                ASSERT_GT(n, 0);
                received[static_cast<std::size_t>(t)].append(buffer, 0, static_cast<std::size_t>(n));
            }
        });
    }
    for (auto& reader : readers) reader.join();
    std::map<std::uint32_t, std::uint32_t> counts;
    std::uint32_t total = 0;
    for (const auto& bytes : received)
        for (std::uint32_t frame : frameNumbers(bytes)) ++counts[frame], ++total;
    for (std::uint32_t frame = 0; frame < kFrames; ++frame)
        EXPECT_EQ(counts[frame], total / kFrames + (frame < total % kFrames ? 1 : 0)) << "frame " << frame;
    EXPECT_EQ(counts.size(), kFrames);
}

TEST(VolumeScaling, EqualsTheScalarRuleForEverySampleAndVolume) {
    RecordProperty("instruction_set", volumeScalingInstructionSet());
    std::vector<std::int16_t> all(65536);
    std::vector<char> unaligned(all.size() * 2 + 1);
    for (std::int32_t volume = 0; volume <= 100; ++volume) {
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<std::int16_t>(i);
        std::memcpy(unaligned.data() + 1, all.data(), all.size() * 2);
        scalePcm16(all.data(), all.size(), volume);
        scalePcm16(unaligned.data() + 1, all.size(), volume);
        std::size_t mismatches = 0;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const std::int16_t expected = scaleSample(static_cast<std::int16_t>(i), volume);
            std::int16_t fromUnaligned;
            std::memcpy(&fromUnaligned, unaligned.data() + 1 + 2 * i, 2);
            mismatches += (all[i] != expected) + (fromUnaligned != expected);
        }
        ASSERT_EQ(mismatches, 0u) << "volume " << volume;
    }
    EXPECT_EQ(scaleSample(-3, 50), -1);
    EXPECT_EQ(scaleSample(-32768, 99), -32440);
}

TEST(VolumeScaling, ShortAndOddLengthsStopAtTheirEnd) {
    for (std::size_t count = 0; count < 70; ++count) {
        std::vector<std::int16_t> buffer(count + 1, 1000);
        scalePcm16(buffer.data(), count, 10);
        EXPECT_EQ(std::count(buffer.begin(), buffer.end() - 1, 100), static_cast<long>(count));
        EXPECT_EQ(buffer.back(), 1000) << "the sample past the end is untouched, count " << count;
    }
}

}  // namespace
}  // namespace olvar::test
