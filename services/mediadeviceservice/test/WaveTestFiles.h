// Wave files for tests: layouts assembled byte by byte, files made by sox, and a private
// folder to hold them. Test code only.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "olvar/TemporaryDirectory.h"

namespace olvar::test {

inline void put16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>(v >> 8);
}
inline void put32(std::string& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xffff));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

struct WaveFormat {
    std::uint16_t tag = 1;
    std::uint16_t channels = 2;
    std::uint32_t rate = 48000;
    std::uint16_t bits = 16;
};

inline std::string fmtBody(const WaveFormat& f) {
    std::string body;
    const std::uint16_t block = static_cast<std::uint16_t>(f.channels * f.bits / 8);
    put16(body, f.tag);
    put16(body, f.channels);
    put32(body, f.rate);
    put32(body, f.rate * block);
    put16(body, block);
    put16(body, f.bits);
    return body;
}

// A chunk whose size field is the body's length unless given.
inline std::string chunk(const std::string& id, const std::string& body, std::int64_t sizeField = -1) {
    std::string out = id;
    put32(out, static_cast<std::uint32_t>(sizeField < 0 ? static_cast<std::int64_t>(body.size()) : sizeField));
    return out + body;
}

inline std::string riff(const std::string& chunks) {
    std::string out = "RIFF";
    put32(out, static_cast<std::uint32_t>(4 + chunks.size()));
    return out + "WAVE" + chunks;
}

inline std::string pcmWave(const std::string& data, const WaveFormat& format = {}) {
    return riff(chunk("fmt ", fmtBody(format)) + chunk("data", data));
}

inline std::string samplesOf(const std::vector<std::int16_t>& samples) {
    std::string out;
    for (std::int16_t s : samples) put16(out, static_cast<std::uint16_t>(s));
    return out;
}

inline std::vector<std::int16_t> samplesIn(const std::string& bytes) {
    std::vector<std::int16_t> out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        out.push_back(static_cast<std::int16_t>(static_cast<unsigned char>(bytes[i]) |
                                                static_cast<unsigned char>(bytes[i + 1]) << 8));
    return out;
}

// Stereo 16-bit frames that carry their own number (left: high half, right: low half), so
// whoever receives them can tell which frames arrived and how often.
inline std::string numberedFrames(std::uint32_t count) {
    std::string out;
    for (std::uint32_t i = 0; i < count; ++i) {
        put16(out, static_cast<std::uint16_t>(i >> 16));
        put16(out, static_cast<std::uint16_t>(i & 0xffff));
    }
    return out;
}
inline std::vector<std::uint32_t> frameNumbers(const std::string& pcm) {
    std::vector<std::uint32_t> out;
    const auto s = samplesIn(pcm);
    for (std::size_t i = 0; i + 1 < s.size(); i += 2)
        out.push_back(static_cast<std::uint32_t>(static_cast<std::uint16_t>(s[i])) << 16 |
                      static_cast<std::uint16_t>(s[i + 1]));
    return out;
}

class WaveFolder {
public:
    WaveFolder() { EXPECT_FALSE(m_directory.path().empty()) << "no temporary directory"; }

    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string path = m_directory.file(name);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path;
    }

    // 50 ms of a tone written by sox with the given output options ("-r 8000 -c 1 -e a-law");
    // empty when sox failed.
    std::string sox(const std::string& name, const std::string& options) const {
        const std::string path = m_directory.file(name);
        const std::string command = "sox -n " + options + " '" + path + "' synth 0.05 sine 440 2>/dev/null";
        return std::system(command.c_str()) == 0 ? path : std::string();
    }

    std::string path(const std::string& name) const { return m_directory.file(name); }

private:
    olvar::TemporaryDirectory m_directory{"mds-wave"};
};

}  // namespace olvar::test
