// Thread-safe record of the calls a stand-in received, for tests and the host's report.
#pragma once

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace olvar {

class CallRecorder {
public:
    void record(std::string call) {
        std::lock_guard<std::mutex> lock(m_mutex);
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
