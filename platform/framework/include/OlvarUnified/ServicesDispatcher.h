// The host's services dispatcher: one thread that runs every service operation and every
// change of a published business object.
#pragma once

#include <memory>

#include "OlvarUnified/Task.h"

namespace OlvarUnified {

class WorkQueueThread;

class OLVAR_API ServicesDispatcher {
public:
    ServicesDispatcher();
    ~ServicesDispatcher();  // stop()
    ServicesDispatcher(const ServicesDispatcher&) = delete;
    ServicesDispatcher& operator=(const ServicesDispatcher&) = delete;

    // Runs the task later on the dispatcher thread and returns at once.
    void enqueue(std::shared_ptr<Task> task, bool highPriority = false, bool logTask = true);
    // Returns after the task has run. From the dispatcher thread itself it runs the task
    // inline, so it cannot deadlock.
    void enqueueBlock(std::shared_ptr<Task> task, bool highPriority = false, bool logTask = true);

    // True on the dispatcher thread: the thread of update access to committed objects.
    bool checkForUpdateAccess() const;

    // Waits until everything queued so far (and what it queues here) has run.
    void drain();

    // Runs what is queued, then ends the thread; tasks given later are refused with a log
    // line instead of waiting forever. Idempotent.
    void stop();

private:
    std::unique_ptr<WorkQueueThread> m_thread;
};

}  // namespace OlvarUnified
