// PCM format codes understood by the player of startStreamPlayout.
//
// A small set of well-known codes covers the layouts wave files usually carry; any other
// linear PCM layout gets a composed code. Both kinds decode back to rate, channels and bits.
#pragma once

#include "velk/DeviceInfo.h"

namespace olvar::velk {

enum PcmFormatCode : int {
    PCM_FORMAT_NONE = 0,
    PCM_FORMAT_L16_16K = 1,         // 16 kHz, 16-bit linear, mono
    PCM_FORMAT_L16_8K = 2,          // 8 kHz, 16-bit linear, mono
    PCM_FORMAT_MULAW_8K = 3,        // 8 kHz, 8-bit mu-law, mono
    PCM_FORMAT_ALAW_8K = 4,         // 8 kHz, 8-bit A-law, mono
    PCM_FORMAT_L16_24K_MONO = 7,
    PCM_FORMAT_L16_24K_STEREO = 8,
    PCM_FORMAT_L16_48K_MONO = 9,
    PCM_FORMAT_L16_48K_STEREO = 10,
};

// Code of a linear PCM layout, or 0 when unsupported. Supported: 8000..192000 Hz,
// 1 or 2 channels, 8/16/24/32 bits per sample. Layouts with a well-known code get it.
OLVAR_API int makePcmFormatCode(int sampleRate, int channels, int bitsPerSample);

// False (outputs untouched) for 0 and for codes no supported layout produces.
OLVAR_API bool decodePcmFormatCode(int code, int& sampleRate, int& channels, int& bitsPerSample);

// Bytes per second of a code's layout; 0 for an invalid code.
OLVAR_API int pcmFormatByteRate(int code);

}  // namespace olvar::velk
