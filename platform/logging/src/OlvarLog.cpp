#include <atomic>
#include <memory>
#include <mutex>

#include "LoggerInternals.h"
#include "olvar/Utf8.h"

namespace {

// Leaked for the same reason as the logger registry: records may arrive during static
// destruction. Callers copy the shared pointer under the lock and call the sink outside
// it, so a sink may itself log and a sink swap never waits for a running sink.
struct SinkSlot {
    std::mutex mutex;
    std::shared_ptr<const olvar::log::Sink> sink;
};

SinkSlot& sinkSlot() {
    static auto* instance = new SinkSlot;
    return *instance;
}

std::shared_ptr<const olvar::log::Sink> currentSink() {
    SinkSlot& slot = sinkSlot();
    std::lock_guard<std::mutex> lock(slot.mutex);
    return slot.sink;
}

std::atomic<std::uint64_t> g_errorCount{0};

std::string orEmpty(const char* text) {
    return text ? text : "";
}

}  // namespace

namespace olvar::log {

void setSink(Sink sink) {
    std::shared_ptr<const Sink> replacement;
    if (sink) {
        replacement = std::make_shared<const Sink>(std::move(sink));
    }
    SinkSlot& slot = sinkSlot();
    std::lock_guard<std::mutex> lock(slot.mutex);
    slot.sink.swap(replacement);
    // The previous sink is released after the lock, when `replacement` goes out of scope.
}

std::uint64_t errorCount() {
    return g_errorCount.load(std::memory_order_relaxed);
}

void resetErrorCount() {
    g_errorCount.store(0, std::memory_order_relaxed);
}

}  // namespace olvar::log

void OlvarLog(OlvarLoggerHandle logger, int level, const char* file, int line, const char* function,
              const std::string& message) {
    if (!OlvarLog_isEnabled(logger, level)) {
        return;
    }
    if (level <= OLVAR_LOG_ERROR) {
        g_errorCount.fetch_add(1, std::memory_order_relaxed);
    }
    try {
        const olvar::log::Record record{level, logger ? logger->name : std::string(), orEmpty(file), line,
                                        orEmpty(function), message};
        if (const auto sink = currentSink()) {
            (*sink)(record);
        } else {
            olvar::log::detail::writeToStderr(record);
        }
    } catch (...) {
        // Neither a throwing sink nor a failed allocation may take the caller down; the record is lost.
    }
}

void OlvarLog(OlvarLoggerHandle logger, int level, const char* file, int line, const char* function,
              const std::wstring& message) {
    if (!OlvarLog_isEnabled(logger, level)) {
        return;
    }
    OlvarLog(logger, level, file, line, function, olvar::utf8::fromWide(message));
}
