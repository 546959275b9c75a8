#include "EventThread.h"

#include <pthread.h>

#include <exception>
#include <string>

#include "VelkLog.h"
#include "olvar/NamedLogger.h"
#include "olvar/PendingWork.h"

namespace olvar::velk {

namespace {
constexpr auto logger = &olvar::namedLogger<"velk-EventThread">;
}  // namespace

EventThread::EventThread() : m_queue(std::make_shared<Queue>()), m_thread(&EventThread::run, m_queue) {}

EventThread::~EventThread() { shutdown(); }

bool EventThread::post(std::function<void()> event) {
    {
        std::lock_guard<std::mutex> lock(m_queue->mutex);
        if (m_queue->stopping) {
            VELK_LOG(logger(), OLVAR_LOG_WARNING, "event posted after shutdown was dropped");
            return false;
        }
        PendingWork::begin();
        m_queue->events.push_back(std::move(event));
    }
    m_queue->wake.notify_one();
    return true;
}

void EventThread::shutdown() {
    {
        std::lock_guard<std::mutex> lock(m_queue->mutex);
        m_queue->stopping = true;
    }
    m_queue->wake.notify_one();
    if (!m_thread.joinable()) return;
    if (isEventThread()) {
        // Shut down from one of its own events: the thread drains and ends by itself.
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "shutdown requested from the event thread; detaching it");
        m_thread.detach();
        return;
    }
    m_thread.join();
}

void EventThread::run(std::shared_ptr<Queue> queue) {
    pthread_setname_np(pthread_self(), "velk-events");
    std::unique_lock<std::mutex> lock(queue->mutex);
    for (;;) {
        queue->wake.wait(lock, [&] { return queue->stopping || !queue->events.empty(); });
        if (queue->events.empty()) return;  // stopping and drained
        std::function<void()> event = std::move(queue->events.front());
        queue->events.pop_front();
        lock.unlock();
        try {
            event();
        } catch (const std::exception& e) {
            VELK_LOG(logger(), OLVAR_LOG_ERROR, std::string("an observer threw: ") + e.what());
        } catch (...) {
            VELK_LOG(logger(), OLVAR_LOG_ERROR, "an observer threw an unknown exception");
        }
        event = nullptr;  // release what the event captured before counting it done
        PendingWork::end();
        lock.lock();
    }
}

}  // namespace olvar::velk
