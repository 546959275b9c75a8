// A memory-mapped wave file served to the device manager's player, with volume and looping.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "featuresets/adapters/mediaDevice/playback/WaveFile.h"
#include "velk/DeviceManager.h"

namespace OlvarUnified {

class WaveFileSource : public WaveFile<MMFile>, public olvar::velk::Source {
public:
    // Usable when getFormat() is not 0 afterwards.
    WaveFileSource(const std::string& path, int volume, bool loop);
    ~WaveFileSource() override;

    // Called by the player's threads. Returns the bytes delivered, 0 or -1 at the end.
    // Reads are bounded by the end of the file, not of the data chunk, so chunks after
    // "data" are played too; looping rewinds only at the end of the file.
    int read(void* buffer, int length) override;

    // From any thread; applies from the next read. Clamped to 0..100.
    void setVolume(int volume);
    int volume() const { return static_cast<int>(m_volume.load(std::memory_order_relaxed)); }

    void setStream(olvar::velk::PlayoutStreamPtr stream);
    std::uint32_t position() const { return m_position.load(std::memory_order_relaxed); }

private:
    struct Claim {
        int result;  // -1 or the byte count
        std::uint32_t start;
    };
    Claim claim(std::uint32_t length);

    olvar::velk::PlayoutStreamPtr m_stream;
    std::atomic<std::uint32_t> m_volume{100};
    const bool m_loop;
    // Two streams may read one source for a moment after it moves to another device; each
    // read claims its byte range atomically, so no byte is delivered twice or lost.
    std::atomic<std::uint32_t> m_position{0};
};

}  // namespace OlvarUnified
