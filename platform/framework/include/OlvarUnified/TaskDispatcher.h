// A named worker thread with a queue; runs tasks one at a time in posting order.
#pragma once

#include <memory>
#include <string>

#include "OlvarUnified/Task.h"

namespace OlvarUnified {
class WorkQueueThread;
}

namespace OlvarUnified::Processing {

class OLVAR_API TaskDispatcher {
public:
    // threadCount and queueLimit are accepted for the host's API; this host always runs one
    // thread and never refuses a task (a refused device event would be lost).
    TaskDispatcher(std::string name, int threadCount, int queueLimit);
    ~TaskDispatcher();  // runs what is queued, then joins the thread
    TaskDispatcher(const TaskDispatcher&) = delete;
    TaskDispatcher& operator=(const TaskDispatcher&) = delete;

    void enqueue(std::shared_ptr<Task> task);
    const std::string& getName() const;
    bool isDispatcherThread() const;
    void drain();

private:
    std::unique_ptr<WorkQueueThread> m_thread;
};

}  // namespace OlvarUnified::Processing
