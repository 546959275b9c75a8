#include "TimelinePlayer.h"

#include <algorithm>

#include "OlvarUnified/TelephonyServiceStandIn.h"
#include "velk/SimulatedBackend.h"

namespace Host {

TimelinePlayer::TimelinePlayer(std::shared_ptr<olvar::velk::SimulatedBackend> backend,
                               std::shared_ptr<OlvarUnified::TelephonyServiceStandIn> telephony)
    : m_backend(std::move(backend)), m_telephony(std::move(telephony)) {}

TimelinePlayer::~TimelinePlayer() { stop(); }

void TimelinePlayer::start(const olvar::velk::Scenario& scenario, PressListener onPress, EndListener onEnd) {
    // A press without a name cannot come from a scenario file: appended last at the time of
    // the last event, it reaches the sink once everything before it has been applied.
    olvar::velk::Scenario timeline = scenario;
    olvar::velk::ScenarioEvent end;
    end.action = olvar::velk::ScenarioEvent::Action::Button;
    for (const auto& event : scenario.events) end.at = std::max(end.at, event.at);
    timeline.events.push_back(end);

    m_finished = false;
    m_backend->setButtonSink([this, onPress, onEnd, telephony = m_telephony](const olvar::velk::ScenarioEvent& e) {
        if (e.button.empty()) {
            m_finished = true;
            if (onEnd) onEnd();
            return;
        }
        if (onPress) onPress(e.button, e.hardwareId);
        if (telephony) telephony->fireByName(e.button, e.hardwareId, e.argument);
    });
    m_backend->startTimeline(timeline);
}

void TimelinePlayer::stop() {
    m_backend->stopTimeline();
    m_backend->setButtonSink({});
}

}  // namespace Host
