// Logger shared by the file helpers of the core utilities.
#pragma once

#include <cstring>
#include <string>

#include "olvar/NamedLogger.h"
#include "olvar/OlvarLog.h"

namespace MirelCoreUtils::detail {

inline constexpr auto fileLogger = &olvar::namedLogger<"CoreUtils-FileUtils">;

// "<what> '<path>': <reason of errnoValue>"
inline std::string describeFailure(const char* what, const std::string& path, int errnoValue) {
    return std::string(what) + " '" + path + "': " + std::strerror(errnoValue);
}

}  // namespace MirelCoreUtils::detail
