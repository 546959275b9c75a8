// Writes 16-bit mono PCM as a wave file the module plays.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace Host {

bool writeWave(const std::filesystem::path& file, const std::vector<std::int16_t>& samples, int sampleRate);

}  // namespace Host
