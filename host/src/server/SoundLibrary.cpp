#include "SoundLibrary.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "WaveWriter.h"

namespace Host {
namespace {

constexpr int kToneRate = 16000;

// Two short bursts of a two-tone ring, as a phone's test ring sounds.
std::vector<std::int16_t> ringTone() {
    constexpr double kPi = 3.14159265358979323846;
    std::vector<std::int16_t> samples;
    for (int burst = 0; burst < 2; ++burst) {
        for (int i = 0; i < kToneRate * 4 / 10; ++i) {
            const double t = static_cast<double>(i) / kToneRate;
            const double fade = std::min(1.0, std::min(i, kToneRate * 4 / 10 - i) / 160.0);
            const double value = 0.25 * (std::sin(2 * kPi * 440 * t) + std::sin(2 * kPi * 480 * t)) * fade;
            samples.push_back(static_cast<std::int16_t>(value * 32767));
        }
        samples.insert(samples.end(), kToneRate / 5, 0);
    }
    return samples;
}

bool plainName(const std::string& name) {
    return !name.empty() && name.size() <= 64 && name.front() != '.' &&
           std::all_of(name.begin(), name.end(), [](unsigned char c) {
               return std::isalnum(c) || c == ' ' || c == '-' || c == '_' || c == '.';
           });
}

}  // namespace

RuntimeFolder::RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string pattern = std::string(runtime && *runtime ? runtime : "/tmp") + "/mediadevice-host.XXXXXX";
    if (::mkdtemp(pattern.data())) m_path = pattern;
}

RuntimeFolder::~RuntimeFolder() {
    std::error_code ignored;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
}

SoundLibrary::SoundLibrary(const std::filesystem::path& folder, const std::filesystem::path& soundsDirectory) {
    if (!folder.empty()) {
        const auto tone = folder / "tone.wav";
        if (writeWave(tone, ringTone(), kToneRate)) m_sounds.emplace_back(kToneName, tone);
    }
    std::error_code error;
    if (soundsDirectory.empty() || !std::filesystem::is_directory(soundsDirectory, error)) return;
    std::vector<std::pair<std::string, std::filesystem::path>> found;
    for (const auto& entry : std::filesystem::directory_iterator(soundsDirectory, error)) {
        const auto& path = entry.path();
        std::string extension = path.extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        const std::string name = path.stem().string();
        if (extension != ".wav" || !entry.is_regular_file(error) || !plainName(name) || file(name)) continue;
        found.emplace_back(name, path);
    }
    std::sort(found.begin(), found.end());
    m_sounds.insert(m_sounds.end(), found.begin(), found.end());
}

std::vector<std::string> SoundLibrary::names() const {
    std::vector<std::string> names;
    for (const auto& [name, path] : m_sounds) names.push_back(name);
    return names;
}

std::optional<std::filesystem::path> SoundLibrary::file(const std::string& name) const {
    for (const auto& [known, path] : m_sounds)
        if (known == name) return path;
    return std::nullopt;
}

}  // namespace Host
