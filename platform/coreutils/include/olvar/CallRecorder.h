// Thread-safe record of the calls a stand-in received, for tests and the host's report.
#pragma once

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#define OLVAR_API __attribute__((visibility("default")))

namespace olvar {

class CallRecorder {
public:
    // How many calls every recorder of the process keeps at least, dropping the oldest
    // beyond twice that; 0 (the default) keeps them all. Tests count every call; a long-running
    // host that never reads them keeps a few, so that its memory does not grow with its age.
    OLVAR_API static void setProcessLimit(std::size_t calls);
    OLVAR_API static std::size_t processLimit();

    void record(std::string call) {
        const std::size_t limit = processLimit();
        std::lock_guard<std::mutex> lock(m_mutex);
        // Dropped in halves, so that each call costs the same on average however long the run.
        if (limit && m_calls.size() >= 2 * limit)
            m_calls.erase(m_calls.begin(), m_calls.begin() + static_cast<std::ptrdiff_t>(m_calls.size() - limit));
        m_calls.push_back(std::move(call));
    }
    std::vector<std::string> calls() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }
    // Number of recorded calls that start with prefix.
    std::size_t count(const std::string& prefix) const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return static_cast<std::size_t>(std::count_if(m_calls.begin(), m_calls.end(), [&](const std::string& c) {
            return c.compare(0, prefix.size(), prefix) == 0;
        }));
    }
    void clear() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_calls;
};

}  // namespace olvar
