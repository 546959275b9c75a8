#include "PulseConnection.h"

#include <sys/time.h>

#include "VelkLog.h"
#include "olvar/NamedLogger.h"

namespace olvar::velk {

namespace {
constexpr auto logger = &olvar::namedLogger<"velk-PulseConnection">;
}  // namespace

PulseConnection::PulseConnection(std::string server, std::string clientName, std::chrono::milliseconds retry,
                                 Listener& listener)
    : m_server(std::move(server)), m_clientName(std::move(clientName)), m_retry(retry), m_listener(listener) {
    m_mainloop = pa_threaded_mainloop_new();
    if (m_mainloop == nullptr) {
        VELK_LOG(logger(), OLVAR_LOG_ERROR, "could not create the sound server main loop; no audio devices");
        return;
    }
    pa_threaded_mainloop_set_name(m_mainloop, "velk-pulse");
}

PulseConnection::~PulseConnection() { shutdown(); }

void PulseConnection::start() {
    if (m_mainloop == nullptr) return;
    pa_threaded_mainloop_lock(m_mainloop);
    connect();
    pa_threaded_mainloop_unlock(m_mainloop);
    if (pa_threaded_mainloop_start(m_mainloop) < 0) {
        VELK_LOG(logger(), OLVAR_LOG_ERROR, "could not start the sound server main loop; no audio devices");
    }
}

void PulseConnection::shutdown() {
    if (m_mainloop == nullptr) return;
    pa_threaded_mainloop_lock(m_mainloop);
    m_stopping = true;
    if (m_retryEvent != nullptr) {
        pa_threaded_mainloop_get_api(m_mainloop)->time_free(m_retryEvent);
        m_retryEvent = nullptr;
    }
    dropContext();
    pa_threaded_mainloop_unlock(m_mainloop);
    pa_threaded_mainloop_stop(m_mainloop);
    pa_threaded_mainloop_free(m_mainloop);
    m_mainloop = nullptr;
}

void PulseConnection::withContext(const std::function<void(pa_context*)>& work) {
    if (m_mainloop == nullptr) {
        work(nullptr);
        return;
    }
    pa_threaded_mainloop_lock(m_mainloop);
    work(m_ready ? m_context : nullptr);
    pa_threaded_mainloop_unlock(m_mainloop);
}

bool PulseConnection::waitFor(pa_operation* operation) {
    if (operation == nullptr) return false;
    while (pa_operation_get_state(operation) == PA_OPERATION_RUNNING) pa_threaded_mainloop_wait(m_mainloop);
    const bool done = pa_operation_get_state(operation) == PA_OPERATION_DONE;
    pa_operation_unref(operation);
    return done;
}

void PulseConnection::signal() { pa_threaded_mainloop_signal(m_mainloop, 0); }

void PulseConnection::connect() {
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_mainloop), m_clientName.c_str());
    if (m_context == nullptr) {
        reportUnreachable("the client library could not create a context");
        scheduleRetry();
        return;
    }
    pa_context_set_state_callback(m_context, &PulseConnection::onStateChanged, this);
    pa_context_set_subscribe_callback(m_context, &PulseConnection::onSubscription, this);
    // Never start a server of our own: the user's session (or CI) owns it.
    if (pa_context_connect(m_context, m_server.empty() ? nullptr : m_server.c_str(), PA_CONTEXT_NOAUTOSPAWN,
                           nullptr) < 0) {
        reportUnreachable(pa_strerror(pa_context_errno(m_context)));
        dropContext();
        scheduleRetry();
    }
}

void PulseConnection::dropContext() {
    if (m_context == nullptr) return;
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_set_subscribe_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
    if (m_ready) {
        m_ready = false;
        if (!m_stopping) m_listener.onLost();
    }
    signal();  // waiters see their operations cancelled
}

void PulseConnection::scheduleRetry() {
    if (m_stopping || m_retryEvent != nullptr) return;
    struct timeval due;
    gettimeofday(&due, nullptr);
    pa_timeval_add(&due, static_cast<pa_usec_t>(std::chrono::microseconds(m_retry).count()));
    m_retryEvent = pa_threaded_mainloop_get_api(m_mainloop)->time_new(pa_threaded_mainloop_get_api(m_mainloop), &due,
                                                                      &PulseConnection::onRetry, this);
}

void PulseConnection::reportUnreachable(const std::string& why) {
    if (m_unreachableLogged) return;
    m_unreachableLogged = true;
    VELK_LOG(logger(), OLVAR_LOG_WARNING,
             "sound server not available (" + why + "); no audio devices until it is back, retrying every " +
                 std::to_string(m_retry.count()) + " ms");
}

void PulseConnection::onRetry(pa_mainloop_api* api, pa_time_event* event, const struct timeval*, void* self) {
    auto* connection = static_cast<PulseConnection*>(self);
    api->time_free(event);
    connection->m_retryEvent = nullptr;
    if (!connection->m_stopping) connection->connect();
}

void PulseConnection::onStateChanged(pa_context* context, void* self) {
    auto* connection = static_cast<PulseConnection*>(self);
    switch (pa_context_get_state(context)) {
        case PA_CONTEXT_READY: {
            connection->m_ready = true;
            connection->m_unreachableLogged = false;
            VELK_LOG(logger(), OLVAR_LOG_INFO,
                     std::string("connected to sound server ") + pa_context_get_server(context));
            connection->m_listener.onReady(context);
            break;
        }
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED: {
            const bool wasReady = connection->m_ready;
            const std::string why = pa_strerror(pa_context_errno(context));
            connection->dropContext();
            connection->reportUnreachable(wasReady ? "connection lost: " + why : why);
            connection->scheduleRetry();
            break;
        }
        default:
            break;
    }
    connection->signal();
}

void PulseConnection::onSubscription(pa_context* context, pa_subscription_event_type_t type, uint32_t index,
                                     void* self) {
    static_cast<PulseConnection*>(self)->m_listener.onEvent(context, type, index);
}

}  // namespace olvar::velk
