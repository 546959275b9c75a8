// Parsing wave files on both back ends: chunk walking, the format table, and files that are
// malformed, truncated or too large.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "ModuleTestNames.h"
#include "WaveTestFiles.h"
#include "featuresets/adapters/mediaDevice/playback/WaveFile.h"
#include "featuresets/adapters/mediaDevice/playback/WaveFileSource.h"

namespace olvar::test {
namespace {

template <class Backend>
class WaveFileBackends : public ::testing::Test {
protected:
    // Opens the bytes as a file on this back end.
    bool open(const std::string& bytes, WaveFile<Backend>& file) {
        return file.open(folder.write("f" + std::to_string(written++) + ".wav", bytes));
    }
    WaveFolder folder;
    int written = 0;
};
using Backends = ::testing::Types<IOFile, MMFile>;
TYPED_TEST_SUITE(WaveFileBackends, Backends);

TYPED_TEST(WaveFileBackends, ChunksAreWalkedWithoutPaddingToTheFirstData) {
    const std::string data = samplesOf({1, 2, 3, 4});
    // 12 (RIFF) + 24 (fmt) + 21 (13-byte chunk) + 8 (data header) = 65
    const std::string bytes = riff(chunk("fmt ", fmtBody({})) + chunk("junk", std::string(13, 'x')) +
                                   chunk("data", data) + chunk("data", "later"));
    WaveFile<TypeParam> file;
    ASSERT_TRUE(this->open(bytes, file));
    EXPECT_EQ(file.dataOffset(), 65u);
    EXPECT_EQ(file.dataSize(), data.size());
    EXPECT_EQ(file.getFormat(), 10);
    EXPECT_EQ(file.header().averageBytesPerSecond, 192000u);
    EXPECT_EQ(file.header().blockAlign, 4);
    EXPECT_EQ(bytes.substr(file.dataOffset(), data.size()), data);

    // A longer "fmt " body is skipped by its size field; the last "fmt " before "data" counts.
    WaveFile<TypeParam> longFormat;
    ASSERT_TRUE(this->open(riff(chunk("fmt ", fmtBody({6, 1, 8000, 8})) +
                                chunk("fmt ", fmtBody({1, 1, 24000, 16}) + std::string("\x02\x00xy", 4)) + chunk("data", data)),
                           longFormat));
    EXPECT_EQ(longFormat.getFormat(), 7);
    EXPECT_EQ(longFormat.dataOffset(), 12u + 24u + 28u + 8u);
}

TYPED_TEST(WaveFileBackends, MalformedFilesAreRefusedAndKeepNothing) {
    const std::string fmt = chunk("fmt ", fmtBody({}));
    const std::string data = chunk("data", samplesOf({7, 7}));
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"not RIFF", "RIFX" + pcmWave("ab").substr(4)},
        {"not WAVE", pcmWave("ab").replace(8, 4, "AVI ")},
        {"data before fmt", riff(data + fmt)},
        {"no data", riff(fmt)},
        {"unsupported fmt", riff(chunk("fmt ", fmtBody({1, 2, 44100, 16})) + data)},
        {"fmt body cut", riff(chunk("fmt ", fmtBody({}).substr(0, 10)))},
        {"chunk past the end", riff(fmt + chunk("junk", "abc", 1000) + data)},
        // Sizes that bring the next header back to this one or before it.
        {"size back to itself", riff(fmt + chunk("junk", "", 0xFFFFFFF8u) + data)},
        {"size back to the start", riff(fmt + chunk("junk", "", 0xFFFFFFD0u) + data)},
        {"fmt size back to itself", riff(chunk("fmt ", fmtBody({}), 0xFFFFFFF8u) + data)},
    };
    for (const auto& [what, bytes] : cases) {
        WaveFile<TypeParam> file;
        EXPECT_FALSE(this->open(bytes, file)) << what;
        EXPECT_EQ(file.getFormat(), 0) << what;
        EXPECT_EQ(file.dataOffset(), 0u) << what;
        EXPECT_EQ(file.dataSize(), 0u) << what;
    }
    WaveFile<TypeParam> missing;
    EXPECT_FALSE(missing.open(this->folder.path("no-such.wav")));
    EXPECT_FALSE(missing.open(this->folder.path("")));  // a directory
}

TYPED_TEST(WaveFileBackends, EveryTruncationOfTheHeaderFailsCleanly) {
    const std::string bytes =
        riff(chunk("LIST", std::string(13, 'i')) + chunk("fmt ", fmtBody({7, 1, 8000, 8}), 18) + std::string(2, '\0') +
             chunk("fact", std::string(4, '\0')) + chunk("data", std::string(64, 'd')));
    WaveFile<TypeParam> whole;
    ASSERT_TRUE(this->open(bytes, whole));
    const std::uint32_t dataOffset = whole.dataOffset();
    for (std::uint32_t length = 0; length < dataOffset; ++length) {
        WaveFile<TypeParam> file;
        EXPECT_FALSE(this->open(bytes.substr(0, length), file)) << "cut at " << length;
        EXPECT_EQ(file.getFormat(), 0) << "cut at " << length;
    }
    // Cut inside the samples the header is whole: the file plays what is there.
    WaveFile<TypeParam> shortData;
    EXPECT_TRUE(this->open(bytes.substr(0, dataOffset + 3), shortData));
}

TEST(WaveFile, FilesOfFourGibibytesOrMoreAreRefused) {
    WaveFolder folder;
    const std::string path = folder.write("huge.wav", pcmWave(samplesOf({1, 2})));
    ASSERT_EQ(::truncate(path.c_str(), 0x100000000LL), 0);  // sparse: nothing is written
    WaveFile<IOFile> io;
    WaveFile<MMFile> mapped;
    EXPECT_FALSE(io.open(path));
    EXPECT_FALSE(mapped.open(path));
    EXPECT_FALSE(isAudioFileSupported(path));

    ASSERT_EQ(::truncate(path.c_str(), 0xFFFFFFFFLL), 0);  // one byte less is a file like any other
    EXPECT_TRUE(io.open(path));
    EXPECT_EQ(io.size(), 0xFFFFFFFFu);
}

struct SoxCase {
    const char* options;
    int code;
};

TEST(WaveFile, FormatCodesOfFilesMadeBySox) {
    const std::vector<SoxCase> cases = {
        {"-r 8000 -c 1 -b 16 -e signed-integer", 2},   {"-r 8000 -c 2 -b 16 -e signed-integer", 2},
        {"-r 16000 -c 1 -b 16 -e signed-integer", 1},  {"-r 16000 -c 2 -b 16 -e signed-integer", 1},
        {"-r 24000 -c 1 -b 16 -e signed-integer", 7},  {"-r 24000 -c 2 -b 16 -e signed-integer", 8},
        {"-r 48000 -c 1 -b 16 -e signed-integer", 9},  {"-r 48000 -c 2 -b 16 -e signed-integer", 10},
        {"-r 44100 -c 2 -b 16 -e signed-integer", 0},  {"-r 24000 -c 3 -b 16 -e signed-integer", 0},
        {"-r 8000 -c 1 -e mu-law", 3},                 {"-r 44100 -c 2 -e mu-law", 3},
        {"-r 8000 -c 1 -e a-law", 4},                  {"-r 22050 -c 3 -e a-law", 4},
        {"-r 48000 -c 2 -b 32 -e floating-point", 0},
    };
    WaveFolder folder;
    int made = 0;
    for (const auto& c : cases) {
        const std::string path = folder.sox("sox" + std::to_string(made++) + ".wav", c.options);
        ASSERT_FALSE(path.empty()) << "sox could not make a file with " << c.options
                                   << " (scripts/install-deps.sh installs it)";
        WaveFile<IOFile> io;
        WaveFileSource source(path, 100, false);
        io.open(path);
        EXPECT_EQ(io.getFormat(), c.code) << c.options;
        EXPECT_EQ(source.getFormat(), c.code) << c.options;
        EXPECT_EQ(isAudioFileSupported(path), c.code != 0) << c.options;
        if (c.code != 0) {
            EXPECT_EQ(source.position(), source.dataOffset()) << c.options;
        }
    }
    // Linear PCM with three channels at 24 kHz, whatever sox chooses to write for it.
    EXPECT_FALSE(isAudioFileSupported(folder.write("three.wav", pcmWave("abcdef", {1, 3, 24000, 16}))));
}

}  // namespace
}  // namespace olvar::test
