// The service's notifications reported while the simulated device manager plays the
// scenario's timeline (or while the sound server's devices come and go).
#pragma once

#include <chrono>
#include <memory>

#include "../Commands.h"
#include "../NotificationWatch.h"

namespace Host {

class ExternalVolumes;
class TimelinePlayer;

class LiveWatch {
public:
    // Reports to the context's output, or to report when one is given (on the services
    // dispatcher). Volumes changed outside the module reach it meanwhile.
    explicit LiveWatch(CommandContext& context, NotificationWatch::Report report = {});
    ~LiveWatch();  // stops
    LiveWatch(const LiveWatch&) = delete;
    LiveWatch& operator=(const LiveWatch&) = delete;

    bool simulated() const { return m_timeline != nullptr; }
    // Plays the timeline on the simulated backend; nothing on the sound server.
    void startTimeline();
    // Until the timeline has played out (at once on the sound server) and its
    // notifications were reported, or Ctrl-C. True on Ctrl-C.
    bool waitForTimeline();
    // Stops the timeline and the reports, once whatever it caused was reported.
    void stop();

private:
    CommandContext& m_context;
    std::unique_ptr<NotificationWatch> m_watch;  // lives on the services dispatcher
    std::unique_ptr<TimelinePlayer> m_timeline;
    std::unique_ptr<ExternalVolumes> m_externalVolumes;
};

}  // namespace Host
