#include "velk/PcmFormat.h"

#include <array>

namespace olvar::velk {

namespace {

struct Layout {
    int code;
    int sampleRate;
    int channels;
    int bitsPerSample;
};

constexpr std::array<Layout, 8> kWellKnown{{
    {PCM_FORMAT_L16_16K, 16000, 1, 16},
    {PCM_FORMAT_L16_8K, 8000, 1, 16},
    {PCM_FORMAT_MULAW_8K, 8000, 1, 8},
    {PCM_FORMAT_ALAW_8K, 8000, 1, 8},
    {PCM_FORMAT_L16_24K_MONO, 24000, 1, 16},
    {PCM_FORMAT_L16_24K_STEREO, 24000, 2, 16},
    {PCM_FORMAT_L16_48K_MONO, 48000, 1, 16},
    {PCM_FORMAT_L16_48K_STEREO, 48000, 2, 16},
}};

// Composed codes read as decimal digits: 1RRRRRRCBB (rate, channels, bits), so a log line
// such as 1048000216 is recognisable as 48000 Hz, 2 channels, 16 bits.
constexpr int kComposedBase = 1000000000;
constexpr int kRateFactor = 1000;
constexpr int kChannelFactor = 100;

bool isSupported(int sampleRate, int channels, int bitsPerSample) {
    const bool rateOk = sampleRate >= 8000 && sampleRate <= 192000;
    const bool channelsOk = channels == 1 || channels == 2;
    const bool bitsOk = bitsPerSample == 8 || bitsPerSample == 16 || bitsPerSample == 24 || bitsPerSample == 32;
    return rateOk && channelsOk && bitsOk;
}

bool isLinearWellKnown(const Layout& layout) {
    return layout.code != PCM_FORMAT_MULAW_8K && layout.code != PCM_FORMAT_ALAW_8K;
}

}  // namespace

int makePcmFormatCode(int sampleRate, int channels, int bitsPerSample) {
    if (!isSupported(sampleRate, channels, bitsPerSample)) return PCM_FORMAT_NONE;
    for (const Layout& layout : kWellKnown) {
        if (isLinearWellKnown(layout) && layout.sampleRate == sampleRate && layout.channels == channels &&
            layout.bitsPerSample == bitsPerSample) {
            return layout.code;
        }
    }
    return kComposedBase + sampleRate * kRateFactor + channels * kChannelFactor + bitsPerSample;
}

bool decodePcmFormatCode(int code, int& sampleRate, int& channels, int& bitsPerSample) {
    for (const Layout& layout : kWellKnown) {
        if (layout.code == code) {
            sampleRate = layout.sampleRate;
            channels = layout.channels;
            bitsPerSample = layout.bitsPerSample;
            return true;
        }
    }
    if (code <= kComposedBase) return false;
    const int body = code - kComposedBase;
    const int rate = body / kRateFactor;
    const int chans = (body % kRateFactor) / kChannelFactor;
    const int bits = body % kChannelFactor;
    // Re-encoding rejects codes that merely look composed (including well-known layouts).
    if (makePcmFormatCode(rate, chans, bits) != code) return false;
    sampleRate = rate;
    channels = chans;
    bitsPerSample = bits;
    return true;
}

int pcmFormatByteRate(int code) {
    int rate = 0, channels = 0, bits = 0;
    if (!decodePcmFormatCode(code, rate, channels, bits)) return 0;
    return rate * channels * (bits / 8);
}

}  // namespace olvar::velk
