// Scaling of signed 16-bit samples by a volume in percent, vectorised where the CPU allows.
#pragma once

#include <cstddef>
#include <cstdint>


namespace OlvarUnified {

// The rule every path must match: sample * volume / 100 in 32-bit signed arithmetic,
// truncating toward zero. volume is 0..100, so the product never overflows.
inline std::int16_t scaleSample(std::int16_t sample, std::int32_t volume) {
    return static_cast<std::int16_t>(static_cast<std::int32_t>(sample) * volume / 100);
}

// Scales count samples in place; volume must be 0..100. The buffer may have any alignment.
void scalePcm16(void* samples, std::size_t count, std::int32_t volume);

// Instruction set chosen for scalePcm16 on this CPU: "avx2", "sse4.1" or "default".
const char* volumeScalingInstructionSet();

}  // namespace OlvarUnified
