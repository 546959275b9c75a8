// A RIFF/WAVE file on one of the two back ends: its format header and where its samples are.
#pragma once

#include <cstdint>
#include <string>

#include "featuresets/adapters/mediaDevice/playback/IOFile.h"
#include "featuresets/adapters/mediaDevice/playback/MMFile.h"

namespace OlvarUnified {

// The 16 bytes of a "fmt " chunk, as stored.
struct WaveFormatHeader {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t averageBytesPerSecond = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
};

// The player's format code for a header; 0 when it cannot be played.
int waveFormatCode(const WaveFormatHeader& header);

template <class T>
class WaveFile : public T {
public:
    // True when the file has a RIFF/WAVE header, a playable "fmt " chunk and then a "data"
    // chunk. The header, data offset and data size are kept only on success, so a failed
    // file never serves its RIFF header as sound.
    bool open(const std::string& path);
    void close();

    int getFormat() const { return waveFormatCode(m_header); }
    const WaveFormatHeader& header() const { return m_header; }
    std::uint32_t dataOffset() const { return m_dataOffset; }
    std::uint32_t dataSize() const { return m_dataSize; }

protected:
    WaveFormatHeader m_header;
    std::uint32_t m_dataOffset = 0;  // file position of the first sample byte
    std::uint32_t m_dataSize = 0;    // size field of the "data" chunk, taken as stored

private:
    bool parse();
};

extern template class WaveFile<IOFile>;
extern template class WaveFile<MMFile>;

// Whether the file is a wave file the player can play.
bool isAudioFileSupported(const std::string& path);

}  // namespace OlvarUnified
