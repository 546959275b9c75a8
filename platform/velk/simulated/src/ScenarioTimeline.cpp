#include "ScenarioTimeline.h"

#include <pthread.h>

#include <algorithm>
#include <chrono>

namespace olvar::velk {

ScenarioTimeline::ScenarioTimeline(std::vector<ScenarioEvent> events, Apply apply)
    : m_events(std::move(events)), m_apply(std::move(apply)) {
    std::stable_sort(m_events.begin(), m_events.end(),
                     [](const ScenarioEvent& a, const ScenarioEvent& b) { return a.at < b.at; });
    m_thread = std::thread(&ScenarioTimeline::run, this);
}

ScenarioTimeline::~ScenarioTimeline() { stop(); }

void ScenarioTimeline::stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) m_thread.join();
}

void ScenarioTimeline::run() {
    pthread_setname_np(pthread_self(), "velk-timeline");
    const auto start = std::chrono::steady_clock::now();
    for (const ScenarioEvent& event : m_events) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (m_wake.wait_until(lock, start + event.at, [this] { return m_stopping; })) return;
        }
        m_apply(event);
    }
}

}  // namespace olvar::velk
