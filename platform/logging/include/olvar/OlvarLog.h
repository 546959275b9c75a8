// Logging library: named loggers, five levels, stderr output and a test sink.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#define OLVAR_API __attribute__((visibility("default")))

struct OlvarLogger;                        // opaque, one per name, lives for the process
using OlvarLoggerHandle = OlvarLogger*;

enum OlvarLogLevel : int {
    OLVAR_LOG_ERROR = 2,
    OLVAR_LOG_WARNING = 3,
    OLVAR_LOG_INFO = 4,
    OLVAR_LOG_DEBUG = 5,
    OLVAR_LOG_TRACE = 6,
};

// Returns the same handle for the same name; never null.
OLVAR_API OlvarLoggerHandle OlvarLogger_getLogger(const char* name);

OLVAR_API void OlvarLog(OlvarLoggerHandle logger, int level, const char* file, int line,
                        const char* function, const std::string& message);
OLVAR_API void OlvarLog(OlvarLoggerHandle logger, int level, const char* file, int line,
                        const char* function, const std::wstring& message);

OLVAR_API bool OlvarLog_isEnabled(OlvarLoggerHandle logger, int level);
OLVAR_API bool OlvarLog_isDebugEnabled(OlvarLoggerHandle logger);
OLVAR_API bool OlvarLog_isTraceEnabled(OlvarLoggerHandle logger);

namespace olvar::log {

// The most verbose level written. Read once from OLVAR_LOG_LEVEL (2..6, default 3).
OLVAR_API int threshold();
OLVAR_API void setThreshold(int level);

struct Record {
    int level;
    std::string logger;
    std::string file;
    int line;
    std::string function;
    std::string message;  // wide messages arrive here as UTF-8
};

// A sink receives every record the threshold lets through (level <= threshold()) instead of stderr.
// Installing an empty function restores stderr. Sinks may be called from any thread.
using Sink = std::function<void(const Record&)>;
OLVAR_API void setSink(Sink sink);

// Number of records at error level written since start (or the last reset); for tests.
OLVAR_API std::uint64_t errorCount();
OLVAR_API void resetErrorCount();

}  // namespace olvar::log
