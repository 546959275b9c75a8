#include "PulseCore.h"

namespace olvar::velk {

PulseCore::PulseCore(const PulseBackendOptions& options)
    : connection(options.server, options.clientName, options.reconnectInterval, *this) {
    connection.start();
}

PulseCore::~PulseCore() {
    // Streams of the meters first, while the main loop still runs; then no more callbacks.
    meters.closeAll();
    connection.shutdown();
    notifier.shutdown();
}

void PulseCore::onReady(pa_context* context) {
    tracker.onReady(context);
    meters.reopenAll(context);
}

void PulseCore::onLost() {
    meters.forgetStreams();
    tracker.onLost();
}

void PulseCore::onEvent(pa_context* context, pa_subscription_event_type_t type, uint32_t index) {
    tracker.onEvent(context, type, index);
}

}  // namespace olvar::velk
