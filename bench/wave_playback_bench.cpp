// Serving a ringtone to the player: WaveFileSource::read in 3840-byte reads (20 ms of 48 kHz
// stereo) over one 60 s file, against a bare mmap+memcpy of the same reads and against
// libsndfile, at full volume and at volume 50 (where the scalar loop is the other yardstick).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sndfile.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "featuresets/adapters/mediaDevice/playback/VolumeScaling.h"
#include "featuresets/adapters/mediaDevice/playback/WaveFileSource.h"
#include "olvar/TemporaryDirectory.h"

using namespace OlvarUnified;

namespace {

constexpr int kReadBytes = 3840;
constexpr std::uint32_t kRate = 48000;
constexpr std::uint32_t kSeconds = 60;  // 11.5 MB of samples

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xff);
}

// A 16-bit 48 kHz stereo wave file of a pseudo-random signal, written once per process.
const std::string& benchFile() {
    static olvar::TemporaryDirectory directory("mds-wave-bench");
    static const std::string path = [] {
        const std::uint32_t dataSize = kRate * kSeconds * 4;
        std::string header = "RIFF";
        put(header, 36 + dataSize, 4);
        header += "WAVEfmt ";
        put(header, 16, 4);
        put(header, 1, 2);
        put(header, 2, 2);
        put(header, kRate, 4);
        put(header, kRate * 4, 4);
        put(header, 4, 2);
        put(header, 16, 2);
        header += "data";
        put(header, dataSize, 4);
        std::vector<std::int16_t> samples(dataSize / 2);
        std::uint32_t noise = 12345;
        for (auto& sample : samples) sample = static_cast<std::int16_t>((noise = noise * 1664525u + 1013904223u) >> 16);
        const std::string file = directory.file("bench.wav");
        std::ofstream out(file, std::ios::binary);
        out << header;
        out.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(dataSize));
        return file;
    }();
    return path;
}

constexpr std::uint32_t kDataOffset = 44;

// The plain loop the vectorised one is measured against.
__attribute__((optimize("no-tree-vectorize"))) void scaleScalar(std::int16_t* samples, std::size_t count,
                                                                std::int32_t volume) {
    for (std::size_t i = 0; i < count; ++i) samples[i] = scaleSample(samples[i], volume);
}

class MappedFile {
public:
    MappedFile() {
        const int fd = ::open(benchFile().c_str(), O_RDONLY);
        struct stat status {};
        ::fstat(fd, &status);
        m_size = static_cast<std::size_t>(status.st_size);
        m_view = static_cast<const char*>(::mmap(nullptr, m_size, PROT_READ, MAP_PRIVATE, fd, 0));
        ::close(fd);
    }
    ~MappedFile() { ::munmap(const_cast<char*>(m_view), m_size); }
    // The next read, rewinding to the samples at the end like a looping source.
    void read(char* buffer) {
        if (m_position >= m_size) m_position = kDataOffset;
        const std::size_t n = std::min<std::size_t>(kReadBytes, m_size - m_position);
        std::memcpy(buffer, m_view + m_position, n);
        m_position += n;
    }

private:
    const char* m_view = nullptr;
    std::size_t m_size = 0;
    std::size_t m_position = kDataOffset;
};

void finish(benchmark::State& state) { state.SetBytesProcessed(state.iterations() * kReadBytes); }

void BM_WaveFileSourceRead(benchmark::State& state) {
    WaveFileSource source(benchFile(), static_cast<int>(state.range(0)), true);
    if (source.getFormat() == 0) state.SkipWithError("the bench file did not open");
    alignas(64) char buffer[kReadBytes];
    for (auto _ : state) {
        benchmark::DoNotOptimize(source.read(buffer, kReadBytes));
        benchmark::ClobberMemory();
    }
    state.SetLabel(volumeScalingInstructionSet());
    finish(state);
}

void BM_MmapMemcpy(benchmark::State& state) {
    MappedFile file;
    alignas(64) char buffer[kReadBytes];
    for (auto _ : state) {
        file.read(buffer);
        benchmark::ClobberMemory();
    }
    finish(state);
}

void BM_MmapMemcpyScalarVolume50(benchmark::State& state) {
    MappedFile file;
    alignas(64) std::int16_t buffer[kReadBytes / 2];
    for (auto _ : state) {
        file.read(reinterpret_cast<char*>(buffer));
        scaleScalar(buffer, kReadBytes / 2, 50);
        benchmark::ClobberMemory();
    }
    finish(state);
}

class SoundFile {
public:
    SoundFile() : m_file(sf_open(benchFile().c_str(), SFM_READ, &m_info)) {}
    ~SoundFile() {
        if (m_file) sf_close(m_file);
    }
    SNDFILE* get() { return m_file; }
    void rewindAtEnd(sf_count_t got) {
        if (got <= 0) sf_seek(m_file, 0, SEEK_SET);
    }

private:
    SF_INFO m_info{};
    SNDFILE* m_file;
};

void BM_SndfileReadShort(benchmark::State& state) {
    SoundFile file;
    if (!file.get()) state.SkipWithError("libsndfile could not open the bench file");
    alignas(64) short buffer[kReadBytes / 2];
    for (auto _ : state) {
        file.rewindAtEnd(sf_read_short(file.get(), buffer, kReadBytes / 2));
        benchmark::ClobberMemory();
    }
    finish(state);
}

void BM_SndfileReadRaw(benchmark::State& state) {
    SoundFile file;
    if (!file.get()) state.SkipWithError("libsndfile could not open the bench file");
    alignas(64) char buffer[kReadBytes];
    for (auto _ : state) {
        file.rewindAtEnd(sf_read_raw(file.get(), buffer, kReadBytes));
        benchmark::ClobberMemory();
    }
    finish(state);
}

}  // namespace

BENCHMARK(BM_WaveFileSourceRead)->Arg(100)->Arg(50);
BENCHMARK(BM_MmapMemcpy);
BENCHMARK(BM_MmapMemcpyScalarVolume50);
BENCHMARK(BM_SndfileReadShort);
BENCHMARK(BM_SndfileReadRaw);
