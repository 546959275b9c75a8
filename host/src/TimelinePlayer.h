// Plays a scenario's timeline on the simulated device manager: its plug, unplug and default
// changes, and its button presses through the telephony stand-in, as the client's telephony
// service would deliver them.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "velk/Scenario.h"

namespace olvar::velk {
class SimulatedBackend;
}
namespace OlvarUnified {
class TelephonyServiceStandIn;
}

namespace Host {

class TimelinePlayer {
public:
    // Told of each button press before it is delivered, on the timeline's thread.
    using PressListener = std::function<void(const std::string& button, const std::string& hardwareId)>;
    // Told once every event has been applied, on the timeline's thread.
    using EndListener = std::function<void()>;

    TimelinePlayer(std::shared_ptr<olvar::velk::SimulatedBackend> backend,
                   std::shared_ptr<OlvarUnified::TelephonyServiceStandIn> telephony);
    ~TimelinePlayer();  // stops
    TimelinePlayer(const TimelinePlayer&) = delete;
    TimelinePlayer& operator=(const TimelinePlayer&) = delete;

    void start(const olvar::velk::Scenario& scenario, PressListener onPress, EndListener onEnd);
    bool finished() const { return m_finished; }
    void stop();

private:
    std::shared_ptr<olvar::velk::SimulatedBackend> m_backend;
    std::shared_ptr<OlvarUnified::TelephonyServiceStandIn> m_telephony;
    std::atomic<bool> m_finished{false};
};

}  // namespace Host
