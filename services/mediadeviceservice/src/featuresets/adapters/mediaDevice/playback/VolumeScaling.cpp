// Built at -O3 (see CMakeLists.txt) so that the loops below are vectorised in every build type.
#include "featuresets/adapters/mediaDevice/playback/VolumeScaling.h"

#include <cstring>

namespace OlvarUnified {

namespace {

// The integer rule in single precision, which vectorises into a few cheap instructions: the
// product sample * volume (at most 2^22) is exact in a float, and multiplying by 0.01f lands
// on the right side of every integer, so truncating gives the integer quotient. The tests
// check this against scaleSample for every sample and volume.
__attribute__((always_inline)) inline void scaleRange(std::int16_t* samples, std::size_t count, std::int32_t volume) {
    const float factor = static_cast<float>(volume);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>(static_cast<std::int32_t>(static_cast<float>(samples[i]) * factor * 0.01f));
}

// One copy of the loop per instruction set, chosen once from what the CPU supports. A plain
// function pointer rather than an ifunc: resolvers run before the sanitizers' runtimes start.
__attribute__((target("avx2"))) void scaleAvx2(std::int16_t* s, std::size_t n, std::int32_t v) { scaleRange(s, n, v); }
__attribute__((target("sse4.1"))) void scaleSse41(std::int16_t* s, std::size_t n, std::int32_t v) {
    scaleRange(s, n, v);
}
void scaleDefault(std::int16_t* s, std::size_t n, std::int32_t v) { scaleRange(s, n, v); }

struct ScalingChoice {
    void (*scale)(std::int16_t*, std::size_t, std::int32_t);
    const char* instructionSet;
};

ScalingChoice choose() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) return {&scaleAvx2, "avx2"};
    if (__builtin_cpu_supports("sse4.1")) return {&scaleSse41, "sse4.1"};
    return {&scaleDefault, "default"};
}

const ScalingChoice& chosen() {
    static const ScalingChoice choice = choose();
    return choice;
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
        chosen().scale(static_cast<std::int16_t*>(samples), count, volume);
    } else {
        scaleUnaligned(static_cast<unsigned char*>(samples), count, volume);
    }
}

const char* volumeScalingInstructionSet() { return chosen().instructionSet; }

}  // namespace OlvarUnified
