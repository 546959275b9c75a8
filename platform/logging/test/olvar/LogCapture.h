// Test support: collects the log records written while it lives, instead of stderr.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "olvar/OlvarLog.h"

namespace olvar::log {

// Optionally lowers the threshold for its lifetime and keeps only one logger's records.
// Records may arrive on any thread; the state is shared with the sink so that a record
// still in flight when the capture ends is safe.
class LogCapture {
public:
    explicit LogCapture(std::optional<int> level = std::nullopt, std::string logger = {})
        : m_previousThreshold(threshold()) {
        if (level) setThreshold(*level);
        auto state = m_state;
        setSink([state, logger = std::move(logger)](const Record& record) {
            if (!logger.empty() && record.logger != logger) return;
            std::lock_guard<std::mutex> lock(state->mutex);
            state->records.push_back(record);
        });
    }
    ~LogCapture() {
        setSink({});
        setThreshold(m_previousThreshold);
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<Record> atLevel(int level) const {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        std::vector<Record> matching;
        for (const auto& record : m_state->records)
            if (record.level == level) matching.push_back(record);
        return matching;
    }

    // Records at this level whose message contains the text.
    std::size_t count(int level, const std::string& text) const {
        std::size_t n = 0;
        for (const auto& record : atLevel(level))
            if (record.message.find(text) != std::string::npos) ++n;
        return n;
    }

private:
    struct State {
        std::mutex mutex;
        std::vector<Record> records;
    };
    const int m_previousThreshold;
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

}  // namespace olvar::log
