#include "Interruption.h"

#include <signal.h>

namespace Host {
namespace {

// SIGUSR1 only ends the signal thread when the run is over.
sigset_t handledSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGUSR1);
    return set;
}

}  // namespace

Interruption::Interruption() {
    const sigset_t set = handledSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    m_thread = std::thread([this] { takeSignals(); });
}

Interruption::~Interruption() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closing = true;
    }
    pthread_kill(m_thread.native_handle(), SIGUSR1);
    m_thread.join();
}

void Interruption::takeSignals() {
    const sigset_t set = handledSignals();
    for (;;) {
        int signal = 0;
        if (sigwait(&set, &signal) != 0) continue;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (signal != SIGUSR1) m_interrupted = true;
        m_changed.notify_all();
        if (m_closing) return;
    }
}

bool Interruption::interrupted() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_interrupted;
}

bool Interruption::waitFor(std::chrono::milliseconds timeout, const std::function<bool()>& done) {
    std::unique_lock<std::mutex> lock(m_mutex);
    auto over = [&] { return m_interrupted || (done && done()); };
    if (timeout.count() < 0)
        m_changed.wait(lock, over);
    else
        m_changed.wait_for(lock, timeout, over);
    return m_interrupted;
}

void Interruption::wake() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_changed.notify_all();
}

}  // namespace Host
