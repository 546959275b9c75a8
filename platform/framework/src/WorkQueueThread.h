// One named thread running queued tasks in order; the engine of both dispatchers.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "OlvarUnified/Task.h"

namespace OlvarUnified {

class WorkQueueThread {
public:
    explicit WorkQueueThread(std::string name);
    ~WorkQueueThread();  // stop()
    WorkQueueThread(const WorkQueueThread&) = delete;
    WorkQueueThread& operator=(const WorkQueueThread&) = delete;

    // Runs what is still queued, then joins; later posts are refused. Idempotent.
    void stop();

    void post(std::shared_ptr<Task> task);
    // Returns after the task has run; runs it inline when called from the queue's own thread.
    void postAndWait(std::shared_ptr<Task> task);
    bool isOwnThread() const { return std::this_thread::get_id() == m_threadId; }
    // Waits until the queue is empty and no task is running. No-op on the own thread.
    void drain();
    const std::string& name() const { return m_state->name; }

private:
    // Shared with the thread, so a queue released from inside its own task can let the
    // thread finish on its own.
    struct State {
        explicit State(std::string queueName) : name(std::move(queueName)) {}
        const std::string name;
        std::mutex mutex;
        std::condition_variable wake;
        std::condition_variable idle;
        std::deque<std::shared_ptr<Task>> queue;
        bool busy = false;
        bool stopping = false;
        bool finished = false;  // the loop has ended: nothing posted from now on would run
    };
    static void loop(const std::shared_ptr<State>& state);
    static void runGuarded(Task& task, const std::string& queueName);
    // Queues the task unless the loop has ended; logs the refusal otherwise.
    bool accept(std::shared_ptr<Task>& task);

    std::shared_ptr<State> m_state;
    std::thread::id m_threadId;
    std::thread m_thread;
};

}  // namespace OlvarUnified
