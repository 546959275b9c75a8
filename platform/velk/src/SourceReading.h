// One pull from a player's source, shared by the backends' players.
#pragma once

#include <vector>

#include "VelkLog.h"
#include "velk/DeviceManager.h"

namespace olvar::velk {

// Fills buffer from the source and returns the bytes to use, at most the buffer's size; a
// throwing source ends the stream like a drained one.
inline int readSource(Source* source, std::vector<char>& buffer, OlvarLoggerHandle logger) {
    const int size = static_cast<int>(buffer.size());
    int n = -1;
    try {
        n = source->read(buffer.data(), size);
    } catch (...) {
        VELK_LOG(logger, OLVAR_LOG_ERROR, "the source threw while being read; the stream ends");
        return -1;
    }
    if (n <= size) return n;
    VELK_LOG(logger, OLVAR_LOG_ERROR, "the source reported more bytes than asked for; clamped");
    return size;
}

}  // namespace olvar::velk
