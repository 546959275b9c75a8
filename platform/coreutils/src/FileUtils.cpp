#include "MirelCoreUtils/FileUtils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>

#include "AtomicFileWriter.h"
#include "FileLogging.h"

namespace MirelCoreUtils {
namespace {

bool readWholeFile(const std::string& path, std::string& content) {
    std::ifstream stream;
    FstreamUtils::open(stream, path, std::ios_base::in | std::ios_base::binary);
    if (!stream.is_open()) return false;
    std::ostringstream buffer;
    buffer << stream.rdbuf();
    if (stream.bad()) return false;
    content = buffer.str();
    return true;
}

void logFailure(const char* function, const std::string& message) {
    OlvarLog(detail::fileLogger(), OLVAR_LOG_WARNING, __FILE__, __LINE__, function, message);
}

}  // namespace

std::string FileUtils::FileSeparator() {
    return "/";
}

bool FileUtils::fileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

// The copy goes through writeFileAtomically, so an interrupted copy never leaves a
// truncated target, and the copy is private to the user like every file written here.
bool FileUtils::copyFile(const std::string& source, const std::string& target, bool overwrite) {
    if (!overwrite && fileExists(target)) {
        return false;
    }
    std::string content;
    if (!readWholeFile(source, content)) {
        logFailure("MirelCoreUtils::FileUtils::copyFile", "cannot read '" + source + "'");
        return false;
    }
    std::string error;
    if (!writeFileAtomically(target, content, error)) {
        logFailure("MirelCoreUtils::FileUtils::copyFile", error);
        return false;
    }
    return true;
}

bool FileUtils::removeFile(const std::string& path) {
    if (::unlink(path.c_str()) == 0) {
        return true;
    }
    if (errno != ENOENT) {
        logFailure("MirelCoreUtils::FileUtils::removeFile", detail::describeFailure("cannot remove", path, errno));
    }
    return false;
}

bool FileUtils::writeFileAtomically(const std::string& path, const std::string& content, std::string& error) {
    detail::AtomicFileWriter writer(path);
    return writer.write(content, error);
}

}  // namespace MirelCoreUtils
