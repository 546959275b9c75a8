#include <gtest/gtest.h>

#include "velk/PcmFormat.h"

using namespace olvar::velk;

namespace olvar::test {
namespace {

TEST(PcmFormat, WellKnownLayoutsGetTheirShortCodes) {
    EXPECT_EQ(makePcmFormatCode(16000, 1, 16), PCM_FORMAT_L16_16K);
    EXPECT_EQ(makePcmFormatCode(8000, 1, 16), PCM_FORMAT_L16_8K);
    EXPECT_EQ(makePcmFormatCode(24000, 1, 16), PCM_FORMAT_L16_24K_MONO);
    EXPECT_EQ(makePcmFormatCode(24000, 2, 16), PCM_FORMAT_L16_24K_STEREO);
    EXPECT_EQ(makePcmFormatCode(48000, 1, 16), PCM_FORMAT_L16_48K_MONO);
    EXPECT_EQ(makePcmFormatCode(48000, 2, 16), PCM_FORMAT_L16_48K_STEREO);
    // 8-bit at 8 kHz is linear PCM, not one of the companded codes.
    EXPECT_NE(makePcmFormatCode(8000, 1, 8), PCM_FORMAT_MULAW_8K);
    EXPECT_NE(makePcmFormatCode(8000, 1, 8), PCM_FORMAT_ALAW_8K);
}

TEST(PcmFormat, EverySupportedLayoutRoundTrips) {
    for (int rate : {8000, 11025, 22050, 44100, 96000, 192000}) {
        for (int channels : {1, 2}) {
            for (int bits : {8, 16, 24, 32}) {
                const int code = makePcmFormatCode(rate, channels, bits);
                ASSERT_NE(code, 0) << rate << "/" << channels << "/" << bits;
                int r = 0, c = 0, b = 0;
                ASSERT_TRUE(decodePcmFormatCode(code, r, c, b)) << code;
                EXPECT_EQ(r, rate);
                EXPECT_EQ(c, channels);
                EXPECT_EQ(b, bits);
                EXPECT_EQ(pcmFormatByteRate(code), rate * channels * bits / 8);
            }
        }
    }
}

TEST(PcmFormat, UnsupportedLayoutsAndCodesAreRejected) {
    EXPECT_EQ(makePcmFormatCode(7999, 1, 16), 0);
    EXPECT_EQ(makePcmFormatCode(192001, 1, 16), 0);
    EXPECT_EQ(makePcmFormatCode(44100, 0, 16), 0);
    EXPECT_EQ(makePcmFormatCode(44100, 3, 16), 0);
    EXPECT_EQ(makePcmFormatCode(44100, 2, 12), 0);
    EXPECT_EQ(makePcmFormatCode(-44100, 2, 16), 0);

    int r = -1, c = -1, b = -1;
    for (int code : {0, 5, 6, 11, -1, 1000000000, 1044100316, 1044100212, 1016000116, 2147483647}) {
        EXPECT_FALSE(decodePcmFormatCode(code, r, c, b)) << code;
        EXPECT_EQ(pcmFormatByteRate(code), 0) << code;
    }
    EXPECT_EQ(r, -1);  // outputs untouched on failure
}

TEST(PcmFormat, CompandedCodesDecodeAsEightBitNarrowband) {
    int r = 0, c = 0, b = 0;
    ASSERT_TRUE(decodePcmFormatCode(PCM_FORMAT_MULAW_8K, r, c, b));
    EXPECT_EQ(r, 8000);
    EXPECT_EQ(b, 8);
    EXPECT_EQ(pcmFormatByteRate(PCM_FORMAT_ALAW_8K), 8000);
}

}  // namespace
}  // namespace olvar::test
