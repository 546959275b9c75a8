// A thread that runs the functions it is given one at a time, in order. The page's requests
// run here: they wait for the services dispatcher, which the server's thread never does.
// Not a TaskDispatcher: its tasks would count as pending work, so a request that waits for
// the host's queues to empty would wait for itself.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace Host {

class WorkQueue {
public:
    explicit WorkQueue(std::string threadName);
    ~WorkQueue();  // runs what was queued, then ends the thread
    WorkQueue(const WorkQueue&) = delete;
    WorkQueue& operator=(const WorkQueue&) = delete;

    void post(std::function<void()> work);

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_work;
    bool m_closing = false;
    std::thread m_thread;
};

}  // namespace Host
