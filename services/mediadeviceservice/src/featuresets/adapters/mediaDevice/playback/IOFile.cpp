#include "featuresets/adapters/mediaDevice/playback/IOFile.h"

#include <unistd.h>

#include <cerrno>

bool IOFile::readAt(std::uint32_t position, void* out, std::uint32_t count) const {
    if (!isOpen()) return false;
    auto* bytes = static_cast<char*>(out);
    std::uint64_t offset = position;
    while (count > 0) {
        const ssize_t got = ::pread(m_handle, bytes, count, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        bytes += got;
        offset += static_cast<std::uint64_t>(got);
        count -= static_cast<std::uint32_t>(got);
    }
    return true;
}
