#include <atomic>
#include <cerrno>
#include <cstdlib>

#include "LoggerInternals.h"

namespace {

constexpr int kDefaultThreshold = OLVAR_LOG_WARNING;
constexpr int kUnread = 0;

// Constant-initialised and trivially destructible, so it is usable before and after
// every static constructor and destructor of the process.
std::atomic<int> g_threshold{kUnread};

int clampLevel(int level) {
    if (level < OLVAR_LOG_ERROR) return OLVAR_LOG_ERROR;
    if (level > OLVAR_LOG_TRACE) return OLVAR_LOG_TRACE;
    return level;
}

}  // namespace

namespace olvar::log::detail {

int parseThresholdText(const char* text) {
    if (text == nullptr || *text == '\0') {
        return kDefaultThreshold;
    }
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || value < OLVAR_LOG_ERROR || value > OLVAR_LOG_TRACE) {
        return kDefaultThreshold;
    }
    return static_cast<int>(value);
}

}  // namespace olvar::log::detail

namespace olvar::log {

int threshold() {
    int current = g_threshold.load(std::memory_order_relaxed);
    if (current != kUnread) {
        return current;
    }
    // Several threads may race here; the first one to store wins and all agree on it.
    const int fromEnvironment = detail::parseThresholdText(std::getenv("OLVAR_LOG_LEVEL"));
    g_threshold.compare_exchange_strong(current, fromEnvironment, std::memory_order_relaxed);
    return current == kUnread ? fromEnvironment : current;
}

void setThreshold(int level) {
    g_threshold.store(clampLevel(level), std::memory_order_relaxed);
}

}  // namespace olvar::log

bool OlvarLog_isEnabled(OlvarLoggerHandle, int level) {
    return level <= olvar::log::threshold();
}

bool OlvarLog_isDebugEnabled(OlvarLoggerHandle logger) {
    return OlvarLog_isEnabled(logger, OLVAR_LOG_DEBUG);
}

bool OlvarLog_isTraceEnabled(OlvarLoggerHandle logger) {
    return OlvarLog_isEnabled(logger, OLVAR_LOG_TRACE);
}
