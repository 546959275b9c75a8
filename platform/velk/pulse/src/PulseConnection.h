// One connection to the sound server on a threaded main loop ("velk-pulse"): connects,
// subscribes, and when the server is absent or goes away, says so once in the log and
// tries again every reconnect interval until it is back.
//
// Lock order: the main loop lock comes before any lock of the backend. Listener calls run
// on the main loop thread with that lock held, so they must not call observers.
#pragma once

#include <pulse/pulseaudio.h>

#include <chrono>
#include <functional>
#include <string>

namespace olvar::velk {

class PulseConnection {
public:
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void onReady(pa_context* context) = 0;
        virtual void onLost() = 0;
        virtual void onEvent(pa_context* context, pa_subscription_event_type_t type, uint32_t index) = 0;
    };

    PulseConnection(std::string server, std::string clientName, std::chrono::milliseconds retry, Listener& listener);
    ~PulseConnection();
    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    // Connects and starts the main loop thread.
    void start();
    // Disconnects without telling the listener and ends the main loop thread; afterwards
    // withContext runs its work unlocked with no context. Idempotent.
    void shutdown();
    // Runs work with the main loop locked, passing the context when it is ready (else
    // null). Must not be called from the main loop thread.
    void withContext(const std::function<void(pa_context*)>& work);

    // With the main loop locked: waits for an operation (and unrefs it); false when it was
    // cancelled, e.g. because the connection died. Not on the main loop thread.
    bool waitFor(pa_operation* operation);
    // Wakes waitFor; for completion callbacks.
    void signal();

private:
    static void onStateChanged(pa_context* context, void* self);
    static void onSubscription(pa_context* context, pa_subscription_event_type_t type, uint32_t index, void* self);
    static void onRetry(pa_mainloop_api* api, pa_time_event* event, const struct timeval* tv, void* self);

    void connect();           // main loop thread or locked
    void dropContext();       // main loop thread or locked
    void scheduleRetry();     // main loop thread or locked
    void reportUnreachable(const std::string& why);

    const std::string m_server;
    const std::string m_clientName;
    const std::chrono::milliseconds m_retry;
    Listener& m_listener;

    pa_threaded_mainloop* m_mainloop = nullptr;
    pa_context* m_context = nullptr;
    pa_time_event* m_retryEvent = nullptr;
    bool m_ready = false;
    bool m_unreachableLogged = false;  // one log line per outage
    bool m_stopping = false;
};

}  // namespace olvar::velk
