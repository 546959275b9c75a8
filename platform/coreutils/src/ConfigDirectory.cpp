#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "FileLogging.h"
#include "MirelCoreUtils/FileUtils.h"

namespace MirelCoreUtils {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string withoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string homeDirectory() {
    std::string home = environment("HOME");
    if (!home.empty()) return home;
    const passwd* entry = ::getpwuid(::getuid());
    return (entry && entry->pw_dir) ? entry->pw_dir : ".";
}

std::string chooseConfigDirectory() {
    const std::string overridden = environment("MIREL_CONFIG_DIR");
    if (!overridden.empty()) return withoutTrailingSeparators(overridden);
    const std::string xdg = environment("XDG_CONFIG_HOME");
    if (!xdg.empty()) return withoutTrailingSeparators(xdg) + "/olvar";
    return withoutTrailingSeparators(homeDirectory()) + "/.config/olvar";
}

// Creates path and any missing parents, each private to the user.
bool createDirectories(const std::string& path, int& failure) {
    for (std::size_t next = path.find('/', 1);; next = path.find('/', next + 1)) {
        const std::string prefix = path.substr(0, next);
        if (::mkdir(prefix.c_str(), S_IRWXU) != 0 && errno != EEXIST) {
            failure = errno;
            return false;
        }
        if (next == std::string::npos) return true;
    }
}

}  // namespace

std::string FileUtils::getConfigDirectory() {
    const std::string directory = chooseConfigDirectory();
    struct stat info {};
    if (::stat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return directory;
    }
    int failure = 0;
    if (!createDirectories(directory, failure)) {
        OlvarLog(detail::fileLogger(), OLVAR_LOG_ERROR, __FILE__, __LINE__,
                 "MirelCoreUtils::FileUtils::getConfigDirectory",
                 detail::describeFailure("cannot create configuration directory", directory, failure));
    }
    return directory;
}

}  // namespace MirelCoreUtils
