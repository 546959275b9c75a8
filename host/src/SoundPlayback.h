// Plays a wave file through the service, reporting each session started and each
// SoundPlayFinished.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "operations/Outcome.h"

namespace OlvarUnified {
class PropertyNotifierConnection;
}  // namespace OlvarUnified

namespace Host {

class HostSession;
class Interruption;
class Output;

struct PlayRequest {
    std::string file;
    std::string device;       // selection id; empty: the current ringer (the first one while none is current)
    bool allRingers = false;  // on every ringer at once
    int volume = 100;
    bool loop = false;
};

// Starts the request's playback on the services dispatcher; onStarted runs there too, with the
// sessions and where they play ("all ringers" or a selection id), before any of their ends
// can be reported. Result: {"device": the selection id or "all", "sessions": [...]}.
using SoundsStarted = std::function<void(const std::vector<long>& sessions, const std::string& on)>;
Outcome startSounds(HostSession& session, const PlayRequest& request, const SoundsStarted& onStarted);

class SoundPlayback {
public:
    SoundPlayback(Output& output, HostSession& session, Interruption& interruption);
    ~SoundPlayback();
    SoundPlayback(const SoundPlayback&) = delete;
    SoundPlayback& operator=(const SoundPlayback&) = delete;

    // False, with a reason, when nothing was started.
    bool start(const PlayRequest& request, std::string& error);
    // True once every started session has finished. When Ctrl-C or the timeout (negative:
    // none) comes first, stops them all and waits for their ends.
    bool waitUntilFinished(std::chrono::milliseconds timeout);
    // What was played, for the closing report.
    nlohmann::ordered_json summary() const;

private:
    void finished(long sessionId);
    bool allFinished() const;

    Output& m_output;
    HostSession& m_session;
    Interruption& m_interruption;
    std::weak_ptr<OlvarUnified::PropertyNotifierConnection> m_connection;
    mutable std::mutex m_mutex;
    std::set<long> m_playing;
    nlohmann::ordered_json m_sessions = nlohmann::ordered_json::array();  // the ids started, in order
};

}  // namespace Host
