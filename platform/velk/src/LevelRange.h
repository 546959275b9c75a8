// The range of speaker volumes and input gains, checked the same way by every backend.
#pragma once

#include <string>

#include "VelkLog.h"

namespace olvar::velk {

// Whether level is within 0..100; anything else is logged and ignored.
inline bool acceptLevel(int level, const std::string& deviceName, OlvarLoggerHandle logger) {
    if (level >= 0 && level <= 100) return true;
    VELK_LOG(logger, OLVAR_LOG_WARNING,
             "level " + std::to_string(level) + " for '" + deviceName + "' is outside 0..100; ignored");
    return false;
}

}  // namespace olvar::velk
