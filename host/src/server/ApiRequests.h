// The page's requests: each text is parsed, run through the operations the command line uses
// and answered with a reply carrying its id. Runs on one thread (the WorkQueue's), so the
// meters each connection turned on need no lock.
#pragma once

#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "../operations/Outcome.h"
#include "SettingsServer.h"

namespace Host {

class HostSession;
class MicrophoneMeters;
class SoundLibrary;

class ApiRequests {
public:
    struct Hooks {
        // The state message's document (without its type): backend, sounds, state.
        std::function<nlohmann::ordered_json()> stateDocument;
        // Events the requests cause themselves (sessions started); on the services dispatcher.
        std::function<void(nlohmann::ordered_json event)> publishEvent;
        // Starts a microphone check of the device; the outcome of the start.
        std::function<Outcome(const std::string& device)> startMicCheck;
        // A meter went on or off.
        std::function<void()> metersChanged;
    };

    ApiRequests(HostSession& session, const SoundLibrary& sounds, MicrophoneMeters& meters, Hooks hooks);

    // The reply to one message, as text.
    std::string handle(web::ConnectionId connection, const std::string& text);
    // Turns off the meters the connection left on.
    void connectionClosed(web::ConnectionId connection);

private:
    Outcome run(web::ConnectionId connection, const nlohmann::json& request);
    Outcome play(const nlohmann::json& request);
    Outcome stop(const nlohmann::json& request);
    Outcome meter(web::ConnectionId connection, const nlohmann::json& request);

    HostSession& m_session;
    const SoundLibrary& m_sounds;
    MicrophoneMeters& m_meters;
    Hooks m_hooks;
    std::map<web::ConnectionId, std::set<std::string>> m_metersOn;
};

// {"type": "reply", "id": id, "ok": ..., "result" | "error" and "class"}.
nlohmann::ordered_json replyOf(const nlohmann::json& id, const Outcome& outcome);

}  // namespace Host
