// What every part of the backend shares: the notifier, the device tracker, the server
// connection and the peak meters, living exactly as long as the last part that uses them.
#pragma once

#include <string>

#include "BackendNotifier.h"
#include "PulseConnection.h"
#include "PulseDeviceTracker.h"
#include "PulsePeakMeters.h"
#include "velk/PulseBackend.h"

namespace olvar::velk {

class PulseCore : private PulseConnection::Listener {
public:
    explicit PulseCore(const PulseBackendOptions& options);  // starts connecting
    ~PulseCore() override;

    BackendNotifier notifier;
    PulseDeviceTracker tracker{notifier};
    PulseConnection connection;
    PulsePeakMeters meters{connection};

private:
    void onReady(pa_context* context) override;
    void onLost() override;
    void onEvent(pa_context* context, pa_subscription_event_type_t type, uint32_t index) override;
};

// Makes the sink (playback) or source (recording) the server's default and moves every
// stream that can move onto it. False when the server is away or refuses the default.
bool makePulseDefault(PulseConnection& connection, int kind, const std::string& selectionId);

}  // namespace olvar::velk
