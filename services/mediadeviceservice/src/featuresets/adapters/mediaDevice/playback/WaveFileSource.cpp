#include "featuresets/adapters/mediaDevice/playback/WaveFileSource.h"

#include <algorithm>
#include <cstring>

#include "featuresets/adapters/mediaDevice/playback/VolumeScaling.h"

namespace OlvarUnified {

namespace {
constexpr std::uint32_t kFullVolume = 100;

std::uint32_t clampVolume(int volume) { return static_cast<std::uint32_t>(std::clamp(volume, 0, 100)); }
}  // namespace

WaveFileSource::WaveFileSource(const std::string& path, int volume, bool loop)
    : m_volume(clampVolume(volume)), m_loop(loop) {
    open(path);
    m_position.store(m_dataOffset, std::memory_order_relaxed);
}

WaveFileSource::~WaveFileSource() = default;

void WaveFileSource::setVolume(int volume) { m_volume.store(clampVolume(volume), std::memory_order_relaxed); }

void WaveFileSource::setStream(olvar::velk::PlayoutStreamPtr stream) { m_stream = std::move(stream); }

WaveFileSource::Claim WaveFileSource::claim(std::uint32_t length) {
    // Computed in 64 bits: a streamed file whose data size is 0xFFFFFFFF plays to the end.
    const std::uint64_t dataEnd = static_cast<std::uint64_t>(m_dataOffset) + m_dataSize;
    const std::uint32_t fileSize = size();
    std::uint32_t position = m_position.load(std::memory_order_relaxed);
    for (;;) {
        if (position > dataEnd || position > fileSize) return {-1, position};
        const std::uint32_t count = std::min(length, fileSize - position);
        if (count == 0 && m_loop && m_dataOffset < fileSize) {
            // Rewind unless another reader already did; then claim again.
            m_position.compare_exchange_strong(position, m_dataOffset, std::memory_order_relaxed);
            position = m_position.load(std::memory_order_relaxed);
            continue;
        }
        // count 0 here: the end of a plain sound, or a looping one with no data at all.
        if (m_position.compare_exchange_weak(position, position + count, std::memory_order_relaxed))
            return {static_cast<int>(count), position};
    }
}

int WaveFileSource::read(void* buffer, int length) {
    if (buffer == nullptr || length <= 0 || view() == nullptr) return -1;
    const std::uint32_t volume = m_volume.load(std::memory_order_relaxed);
    const Claim claimed = claim(static_cast<std::uint32_t>(length));
    if (claimed.result < 0) return -1;
    std::memcpy(buffer, view() + claimed.start, static_cast<std::size_t>(claimed.result));
    // The whole requested length is scaled, also past the bytes delivered.
    if (volume != kFullVolume) scalePcm16(buffer, static_cast<std::size_t>(length) / 2, static_cast<std::int32_t>(volume));
    return claimed.result;
}

}  // namespace OlvarUnified
