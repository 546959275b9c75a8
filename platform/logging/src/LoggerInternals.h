// Pieces shared by the logging library's sources; not part of its interface.
#pragma once

#include <string>

#include "olvar/OlvarLog.h"

struct OlvarLogger {
    std::string name;
};

namespace olvar::log::detail {

// Threshold named by the text of OLVAR_LOG_LEVEL: 2..6, anything else (or null) gives 3.
int parseThresholdText(const char* text);

// Upper-case level word, "ERROR" .. "TRACE"; out-of-range levels take the nearest word.
const char* levelWord(int level);

// Writes one formatted record to standard error with a single write call.
void writeToStderr(const Record& record);

}  // namespace olvar::log::detail
