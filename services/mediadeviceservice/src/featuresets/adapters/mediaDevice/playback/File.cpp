#include "featuresets/adapters/mediaDevice/playback/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

#include "featuresets/adapters/mediaDevice/playback/IOFile.h"
#include "featuresets/adapters/mediaDevice/playback/MMFile.h"

template <class T>
bool File<T>::openHandle(const std::string& path) {
    closeHandle();
    const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle == kInvalidHandle) return false;
    struct stat status {};
    const bool usable = ::fstat(handle, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
                        static_cast<std::uint64_t>(status.st_size) <= UINT32_MAX;
    if (!usable) {
        ::close(handle);
        return false;
    }
    m_handle = handle;
    m_size = static_cast<std::uint32_t>(status.st_size);
    return true;
}

template <class T>
void File<T>::closeHandle() {
    if (m_handle != kInvalidHandle) ::close(m_handle);
    m_handle = kInvalidHandle;
    m_size = 0;
}

template class File<IOFile>;
template class File<MMFile>;
