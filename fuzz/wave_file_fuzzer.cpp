// Any bytes opened as a wave file on both back ends: opening never reads outside the file,
// and playing it to the end stays inside the mapping and ends.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "featuresets/adapters/mediaDevice/playback/WaveFileSource.h"

using namespace OlvarUnified;

namespace {

// The input as a file that lives in memory only, reachable by path.
class MemoryFile {
public:
    MemoryFile(const std::uint8_t* data, std::size_t size) : m_fd(::memfd_create("wave", MFD_CLOEXEC)) {
        if (m_fd < 0 || ::write(m_fd, data, size) != static_cast<ssize_t>(size)) std::abort();
    }
    ~MemoryFile() { ::close(m_fd); }
    std::string path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

private:
    int m_fd;
};

void checkInsideFile(std::uint32_t offset, std::size_t size) {
    if (offset > size) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryFile file(data, size);

    WaveFile<IOFile> plain;
    if (plain.open(file.path())) checkInsideFile(plain.dataOffset(), size);

    WaveFileSource source(file.path(), 37, false);
    if (source.getFormat() == 0) return 0;
    checkInsideFile(source.dataOffset(), size);
    std::vector<char> buffer(4096);
    // Every call delivers at least one byte until the end, so the file's size bounds the loop.
    for (std::size_t calls = 0; calls <= size + 1; ++calls) {
        const int delivered = source.read(buffer.data(), static_cast<int>(buffer.size()));
        checkInsideFile(source.position(), size);
        if (delivered <= 0) return 0;
    }
    std::abort();  // never reached the end
}
