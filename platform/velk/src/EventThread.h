// The device manager's notification thread ("velk-events"): runs posted events one at a
// time in posting order. Each accepted event counts as pending work until it has run.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <memory>
#include <thread>

namespace olvar::velk {

class EventThread {
public:
    EventThread();
    ~EventThread();
    EventThread(const EventThread&) = delete;
    EventThread& operator=(const EventThread&) = delete;

    // False (event dropped, nothing counted) once shutdown has begun.
    bool post(std::function<void()> event);

    // Runs what is queued, then ends the thread. Safe to call more than once.
    void shutdown();

    bool isEventThread() const { return std::this_thread::get_id() == m_thread.get_id(); }

private:
    // Shared with the thread so that a thread detached during shutdown never outlives it.
    struct Queue {
        std::mutex mutex;
        std::condition_variable wake;
        std::deque<std::function<void()>> events;
        bool stopping = false;
    };
    static void run(std::shared_ptr<Queue> queue);

    std::shared_ptr<Queue> m_queue;
    std::thread m_thread;
};

}  // namespace olvar::velk
