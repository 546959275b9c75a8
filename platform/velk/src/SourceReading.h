// One pull from a player's source, shared by the backends' players.
#pragma once

#include <vector>

#include "VelkLog.h"
#include "velk/DeviceManager.h"

namespace olvar::velk {

// Fills buffer from the source; a throwing source ends the stream like a drained one.
inline int readSource(Source* source, std::vector<char>& buffer, OlvarLoggerHandle logger) {
    try {
        return source->read(buffer.data(), static_cast<int>(buffer.size()));
    } catch (...) {
        VELK_LOG(logger, OLVAR_LOG_ERROR, "the source threw while being read; the stream ends");
        return -1;
    }
}

}  // namespace olvar::velk
