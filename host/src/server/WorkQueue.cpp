#include "WorkQueue.h"

#include <pthread.h>

namespace Host {

WorkQueue::WorkQueue(std::string threadName) {
    m_thread = std::thread([this, threadName = std::move(threadName)] {
        ::pthread_setname_np(::pthread_self(), threadName.substr(0, 15).c_str());
        run();
    });
}

WorkQueue::~WorkQueue() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closing = true;
    }
    m_changed.notify_one();
    m_thread.join();
}

void WorkQueue::post(std::function<void()> work) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_work.push_back(std::move(work));
    }
    m_changed.notify_one();
}

void WorkQueue::run() {
    for (;;) {
        std::function<void()> work;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] { return m_closing || !m_work.empty(); });
            if (m_work.empty()) return;
            work = std::move(m_work.front());
            m_work.pop_front();
        }
        work();
    }
}

}  // namespace Host
