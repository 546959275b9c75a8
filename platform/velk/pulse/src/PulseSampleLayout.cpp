#include "PulseSampleLayout.h"

#include "velk/PcmFormat.h"

namespace olvar::velk {

bool pulseSampleLayout(int formatCode, pa_sample_spec& layout) {
    int rate = 0, channels = 0, bits = 0;
    if (!decodePcmFormatCode(formatCode, rate, channels, bits)) return false;
    pa_sample_format_t format = PA_SAMPLE_INVALID;
    if (formatCode == PCM_FORMAT_MULAW_8K) format = PA_SAMPLE_ULAW;
    else if (formatCode == PCM_FORMAT_ALAW_8K) format = PA_SAMPLE_ALAW;
    else if (bits == 8) format = PA_SAMPLE_U8;
    else if (bits == 16) format = PA_SAMPLE_S16LE;
    else if (bits == 24) format = PA_SAMPLE_S24LE;
    else if (bits == 32) format = PA_SAMPLE_S32LE;
    const pa_sample_spec candidate{format, static_cast<uint32_t>(rate), static_cast<uint8_t>(channels)};
    if (!pa_sample_spec_valid(&candidate)) return false;
    layout = candidate;
    return true;
}

}  // namespace olvar::velk
