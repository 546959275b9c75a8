// Logger shared by the file helpers of the core utilities.
#pragma once

#include <cstring>
#include <string>

#include "olvar/OlvarLog.h"

namespace MirelCoreUtils::detail {

inline OlvarLoggerHandle fileLogger() {
    static const OlvarLoggerHandle handle = OlvarLogger_getLogger("CoreUtils-FileUtils");
    return handle;
}

// "<what> '<path>': <reason of errnoValue>"
inline std::string describeFailure(const char* what, const std::string& path, int errnoValue) {
    return std::string(what) + " '" + path + "': " + std::strerror(errnoValue);
}

}  // namespace MirelCoreUtils::detail
