#include "featuresets/adapters/mediaDevice/playback/MMFile.h"

#include <sys/mman.h>

#include <cstring>

MMFile::~MMFile() { closeFile(); }

bool MMFile::openFile(const std::string& path) {
    closeFile();
    if (!openHandle(path)) return false;
    void* view = ::mmap(nullptr, m_size, PROT_READ, MAP_PRIVATE, m_handle, 0);
    if (view == MAP_FAILED) {
        closeHandle();
        return false;
    }
    m_view = static_cast<const unsigned char*>(view);
    return true;
}

void MMFile::closeFile() {
    if (m_view) ::munmap(const_cast<unsigned char*>(m_view), m_size);
    m_view = nullptr;
    closeHandle();
}

bool MMFile::readAt(std::uint32_t position, void* out, std::uint32_t count) const {
    if (!m_view || static_cast<std::uint64_t>(position) + count > m_size) return false;
    std::memcpy(out, m_view + position, count);
    return true;
}
