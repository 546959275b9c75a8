#include "featuresets/adapters/mediaDevice/playback/WaveFile.h"

#include <cstring>

#include "velk/PcmFormat.h"

namespace OlvarUnified {

namespace {

constexpr std::uint16_t kLinearPcm = 1;
constexpr std::uint16_t kALaw = 6;
constexpr std::uint16_t kMuLaw = 7;
constexpr std::uint32_t kRiffHeaderSize = 12;
constexpr std::uint32_t kChunkHeaderSize = 8;
constexpr std::uint32_t kFormatBodySize = 16;

std::uint16_t u16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t u32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
bool hasId(const unsigned char* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

WaveFormatHeader decodeFormat(const unsigned char* p) {
    WaveFormatHeader header;
    header.formatTag = u16(p);
    header.channels = u16(p + 2);
    header.sampleRate = u32(p + 4);
    header.averageBytesPerSecond = u32(p + 8);
    header.blockAlign = u16(p + 12);
    header.bitsPerSample = u16(p + 14);
    return header;
}

int linearPcmCode(std::uint32_t rate, std::uint16_t channels) {
    using namespace olvar::velk;
    switch (rate) {
        case 16000: return PCM_FORMAT_L16_16K;
        case 8000: return PCM_FORMAT_L16_8K;
        case 24000: return channels == 1 ? PCM_FORMAT_L16_24K_MONO : channels == 2 ? PCM_FORMAT_L16_24K_STEREO : 0;
        case 48000: return channels == 1 ? PCM_FORMAT_L16_48K_MONO : channels == 2 ? PCM_FORMAT_L16_48K_STEREO : 0;
        default: return PCM_FORMAT_NONE;
    }
}

}  // namespace

int waveFormatCode(const WaveFormatHeader& header) {
    switch (header.formatTag) {
        case kLinearPcm: return linearPcmCode(header.sampleRate, header.channels);
        case kMuLaw: return olvar::velk::PCM_FORMAT_MULAW_8K;
        case kALaw: return olvar::velk::PCM_FORMAT_ALAW_8K;
        default: return olvar::velk::PCM_FORMAT_NONE;
    }
}

template <class T>
bool WaveFile<T>::open(const std::string& path) {
    // POSIX paths are bytes: the narrow path is opened as given, with no round trip through
    // wide characters that could alter names that are not valid UTF-8.
    close();
    if (!this->openFile(path)) return false;
    if (parse()) return true;
    close();
    return false;
}

template <class T>
void WaveFile<T>::close() {
    this->closeFile();
    m_header = WaveFormatHeader{};
    m_dataOffset = 0;
    m_dataSize = 0;
}

template <class T>
bool WaveFile<T>::parse() {
    unsigned char riff[kRiffHeaderSize];
    if (!this->readAt(0, riff, kRiffHeaderSize) || !hasId(riff, "RIFF") || !hasId(riff + 8, "WAVE")) return false;

    std::uint32_t position = kRiffHeaderSize;
    for (;;) {
        unsigned char chunk[kChunkHeaderSize];
        if (!this->readAt(position, chunk, kChunkHeaderSize)) return false;
        const std::uint32_t size = u32(chunk + 4);
        if (hasId(chunk, "data")) {
            // "data" before any "fmt " leaves nothing to play.
            if (getFormat() == 0) return false;
            m_dataOffset = position + kChunkHeaderSize;
            m_dataSize = size;
            return true;
        }
        if (hasId(chunk, "fmt ")) {
            unsigned char body[kFormatBodySize];
            if (!this->readAt(position + kChunkHeaderSize, body, kFormatBodySize)) return false;
            m_header = decodeFormat(body);
            if (getFormat() == 0) return false;
        }
        // Bodies are not padded to even lengths. A size that wraps the 32-bit position back to
        // or before this chunk would walk the same chunks again: such a file is refused.
        const std::uint32_t next = position + kChunkHeaderSize + size;
        if (next <= position) return false;
        position = next;
    }
}

template class WaveFile<IOFile>;
template class WaveFile<MMFile>;

bool isAudioFileSupported(const std::string& path) {
    WaveFile<IOFile> file;
    file.open(path);
    const int code = file.getFormat();
    file.close();
    return code != 0;
}

}  // namespace OlvarUnified
