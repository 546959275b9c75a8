// The host's and the service's switches that the selection and the volumes read; set on the
// host's threads and the worker, read on any thread.
#pragma once

#include <atomic>

namespace OlvarUnified {

struct AdapterSettings {
    std::atomic<bool> m_telephonyEnabled{true};
    std::atomic<bool> m_telephonyP2PEnabled{true};
    std::atomic<bool> m_voicemailEnabled{true};
    std::atomic<bool> m_useRinger{false};

    // Either kind of telephony makes the selection tell the telephony side about a device.
    bool telephony() const { return m_telephonyEnabled || m_telephonyP2PEnabled; }
};

}  // namespace OlvarUnified
