// Built at -O3 (see CMakeLists.txt) so that the clones below are vectorised in every build type.
#include "featuresets/adapters/mediaDevice/VolumeScaling.h"

#include <cstring>

namespace OlvarUnified {

namespace {

// One clone per instruction set; the loader picks the best the CPU supports.
__attribute__((target_clones("avx2", "sse4.1", "default"))) void scaleAligned(std::int16_t* samples,
                                                                              std::size_t count,
                                                                              std::int32_t volume) {
    for (std::size_t i = 0; i < count; ++i) samples[i] = scaleSample(samples[i], volume);
}

void scaleUnaligned(unsigned char* bytes, std::size_t count, std::int32_t volume) {
    for (std::size_t i = 0; i < count; ++i, bytes += sizeof(std::int16_t)) {
        std::int16_t sample;
        std::memcpy(&sample, bytes, sizeof sample);
        sample = scaleSample(sample, volume);
        std::memcpy(bytes, &sample, sizeof sample);
    }
}

}  // namespace

void scalePcm16(void* samples, std::size_t count, std::int32_t volume) {
    if (reinterpret_cast<std::uintptr_t>(samples) % alignof(std::int16_t) == 0) {
        scaleAligned(static_cast<std::int16_t*>(samples), count, volume);
    } else {
        scaleUnaligned(static_cast<unsigned char*>(samples), count, volume);
    }
}

const char* volumeScalingInstructionSet() {
    // The same order of preference as the clones' resolver.
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) return "avx2";
    if (__builtin_cpu_supports("sse4.1")) return "sse4.1";
    return "default";
}

}  // namespace OlvarUnified
