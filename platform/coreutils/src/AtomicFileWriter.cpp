#include "AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "FileLogging.h"

namespace MirelCoreUtils::detail {
namespace {

std::string directoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

constexpr const char* kTemporarySuffix = ".tmp.";
constexpr std::size_t kTemporaryRandomLength = 6;  // the XXXXXX of mkstemp

bool isTemporaryOf(const std::string& name, const std::string& baseName) {
    const std::string prefix = baseName + kTemporarySuffix;
    if (name.size() != prefix.size() + kTemporaryRandomLength || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    }
    return true;
}

// True when nobody holds the temporary's lock any more, i.e. its writer is gone.
bool isAbandoned(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return false;
    const bool abandoned = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return abandoned;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path) : m_path(std::move(path)) {}

AtomicFileWriter::~AtomicFileWriter() {
    discardTemporary();
}

bool AtomicFileWriter::write(const std::string& content, std::string& error) {
    if (m_path.empty()) {
        error = "cannot write a file with an empty path";
        return false;
    }
    removeStaleTemporaries();
    if (!createTemporary(error) || !writeAll(content, error) || !flushAndClose(error) ||
        !renameIntoPlace(error)) {
        discardTemporary();
        return false;
    }
    syncDirectory();
    return true;
}

void AtomicFileWriter::removeStaleTemporaries() {
    namespace fs = std::filesystem;
    const std::string baseName = fs::path(m_path).filename().string();
    std::error_code ignored;
    for (fs::directory_iterator entry(directoryOf(m_path), ignored), end; !ignored && entry != end;
         entry.increment(ignored)) {
        const std::string name = entry->path().filename().string();
        if (!isTemporaryOf(name, baseName) || !isAbandoned(entry->path().string())) continue;
        if (::unlink(entry->path().c_str()) == 0) {
            OlvarLog(fileLogger(), OLVAR_LOG_INFO, __FILE__, __LINE__,
                     "MirelCoreUtils::detail::AtomicFileWriter::removeStaleTemporaries",
                     "removed the temporary file of an interrupted write: " + entry->path().string());
        }
    }
}

bool AtomicFileWriter::createTemporary(std::string& error) {
    std::string pattern = m_path + ".tmp.XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    m_fd = ::mkostemp(buffer.data(), O_CLOEXEC);
    if (m_fd < 0) {
        error = describeFailure("cannot create a temporary file for", m_path, errno);
        return false;
    }
    m_temporaryPath = buffer.data();
    // Marks the temporary as in use; a crash releases the lock and so makes it stale.
    if (::flock(m_fd, LOCK_EX) != 0 || (m_lockFd = ::fcntl(m_fd, F_DUPFD_CLOEXEC, 0)) < 0) {
        error = describeFailure("cannot lock", m_temporaryPath, errno);
        return false;
    }
    // mkstemp already uses 0600 on this platform; stating it keeps that independent of the libc.
    if (::fchmod(m_fd, S_IRUSR | S_IWUSR) != 0) {
        error = describeFailure("cannot restrict the permissions of", m_temporaryPath, errno);
        return false;
    }
    return true;
}

bool AtomicFileWriter::writeAll(const std::string& content, std::string& error) {
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            error = describeFailure("cannot write", m_temporaryPath, errno);
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

bool AtomicFileWriter::flushAndClose(std::string& error) {
    if (::fsync(m_fd) != 0) {
        error = describeFailure("cannot flush", m_temporaryPath, errno);
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        error = describeFailure("cannot close", m_temporaryPath, errno);
        return false;
    }
    return true;
}

bool AtomicFileWriter::renameIntoPlace(std::string& error) {
    if (::rename(m_temporaryPath.c_str(), m_path.c_str()) != 0) {
        error = describeFailure("cannot rename the temporary file over", m_path, errno);
        return false;
    }
    m_temporaryPath.clear();
    releaseLock();
    return true;
}

// The new content is already in place; a failure here only weakens durability after a
// power loss, so it is logged rather than reported as a failed write.
void AtomicFileWriter::syncDirectory() {
    const std::string directory = directoryOf(m_path);
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        OlvarLog(fileLogger(), OLVAR_LOG_WARNING, __FILE__, __LINE__,
                 "MirelCoreUtils::detail::AtomicFileWriter::syncDirectory",
                 describeFailure("cannot flush directory", directory, errno));
    }
    if (fd >= 0) {
        ::close(fd);
    }
}

void AtomicFileWriter::discardTemporary() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporaryPath.empty()) {
        ::unlink(m_temporaryPath.c_str());
        m_temporaryPath.clear();
    }
    releaseLock();
}

void AtomicFileWriter::releaseLock() {
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
    }
}

}  // namespace MirelCoreUtils::detail
