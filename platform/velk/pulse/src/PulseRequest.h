// One request to the server whose success the caller waits for, with the main loop locked.
#pragma once

#include <pulse/pulseaudio.h>

#include "PulseConnection.h"

namespace olvar::velk {

class PulseRequest {
public:
    explicit PulseRequest(PulseConnection& connection) : m_connection(connection) {}

    // Waits for the operation; true when it ran and the server reported success.
    bool wait(pa_operation* operation) { return m_connection.waitFor(operation) && m_success; }

    static void onSuccess(pa_context*, int success, void* self) {
        auto* request = static_cast<PulseRequest*>(self);
        request->m_success = success != 0;
        request->m_connection.signal();
    }

private:
    PulseConnection& m_connection;
    bool m_success = false;
};

}  // namespace olvar::velk
