// Ctrl-C (SIGINT) and SIGTERM as an event the run waits on, not a handler that interrupts it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace Host {

// Construct it before any other thread starts: it blocks the two signals in the calling
// thread, so every thread started later inherits the mask, and one thread of its own takes
// them with sigwait. A signal that arrives before anyone waits is kept.
class Interruption {
public:
    Interruption();
    ~Interruption();
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

    bool interrupted() const;
    // Waits until a signal came, done() holds or the timeout ran out (a negative timeout
    // waits without a limit). True when a signal came. done() is checked under this object's
    // lock: whoever makes it true calls wake() afterwards.
    bool waitFor(std::chrono::milliseconds timeout, const std::function<bool()>& done = {});
    void wake();

private:
    void takeSignals();

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_interrupted = false;
    bool m_closing = false;
    std::thread m_thread;
};

}  // namespace Host
