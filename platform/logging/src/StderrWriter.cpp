#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstring>

#include "LoggerInternals.h"

namespace olvar::log::detail {
namespace {

std::string localTimestamp() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(millis));
    return buffer;
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string formatLine(const Record& record) {
    char level[8];
    std::snprintf(level, sizeof level, "%-5s", levelWord(record.level));
    std::string line = localTimestamp();
    line += ' ';
    line += level;
    line += ' ';
    line += record.logger;
    line += ' ';
    line += record.function;
    line += " [";
    line += baseName(record.file);
    line += ':';
    line += std::to_string(record.line);
    line += "]: ";
    line += record.message;
    line += '\n';
    return line;
}

}  // namespace

const char* levelWord(int level) {
    if (level <= OLVAR_LOG_ERROR) return "ERROR";
    switch (level) {
        case OLVAR_LOG_WARNING: return "WARN";
        case OLVAR_LOG_INFO: return "INFO";
        case OLVAR_LOG_DEBUG: return "DEBUG";
        default: return "TRACE";
    }
}

void writeToStderr(const Record& record) {
    const std::string line = formatLine(record);
    const char* data = line.data();
    std::size_t left = line.size();
    while (left > 0) {
        const ssize_t written = ::write(STDERR_FILENO, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return;  // nowhere left to report it
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
}

}  // namespace olvar::log::detail
