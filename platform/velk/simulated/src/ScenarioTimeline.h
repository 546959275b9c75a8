// Runs the timed events of a scenario on a timer thread. Nothing counts as pending work
// while waiting; an event becomes work only through what applying it does.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "velk/Scenario.h"

namespace olvar::velk {

class ScenarioTimeline {
public:
    using Apply = std::function<void(const ScenarioEvent&)>;

    ScenarioTimeline(std::vector<ScenarioEvent> events, Apply apply);
    ~ScenarioTimeline();  // stops
    ScenarioTimeline(const ScenarioTimeline&) = delete;
    ScenarioTimeline& operator=(const ScenarioTimeline&) = delete;

    // Events not yet due are dropped; returns after the thread has ended.
    void stop();

private:
    void run();

    std::vector<ScenarioEvent> m_events;  // by time, file order kept for equal times
    Apply m_apply;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::thread m_thread;
};

}  // namespace olvar::velk
