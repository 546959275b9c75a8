#include "ApiRequests.h"

#include <algorithm>

#include "../SoundPlayback.h"
#include "../operations/DeviceOperations.h"
#include "../operations/MicrophoneMeters.h"
#include "SoundLibrary.h"

namespace Host {
namespace {

using nlohmann::json;

constexpr const char* kRequests = "prefer, select, volume, play, stop, meter, micCheck or state";

// A field of the request, of the JSON type the getter wants; a usage failure otherwise.
struct Fields {
    const json& request;
    Outcome failure;

    bool has(const char* name) const { return request.contains(name) && !request.at(name).is_null(); }

    template <class T>
    std::optional<T> get(const char* name, bool (json::*is)() const, const char* what) {
        if (!has(name)) {
            failure = Outcome::failure(std::string("missing \"") + name + "\" (" + what + ")", kExitUsage);
            return std::nullopt;
        }
        const json& value = request.at(name);
        if (!(value.*is)()) {
            failure = Outcome::failure(std::string("\"") + name + "\" must be " + what, kExitUsage);
            return std::nullopt;
        }
        return value.get<T>();
    }
    std::optional<std::string> text(const char* name) { return get<std::string>(name, &json::is_string, "a string"); }
    std::optional<long> integer(const char* name) { return get<long>(name, &json::is_number_integer, "an integer"); }
    std::optional<bool> flag(const char* name) { return get<bool>(name, &json::is_boolean, "true or false"); }
    // Absent: the default; present: it must have the right type.
    template <class T>
    std::optional<T> optional(std::optional<T> (Fields::*getter)(const char*), const char* name, T otherwise) {
        return has(name) ? (this->*getter)(name) : std::optional<T>(otherwise);
    }
};

// Any integer fits the range check, which then names it as given.
int asVolume(long volume) { return static_cast<int>(std::clamp(volume, -1000000L, 1000000L)); }

}  // namespace

nlohmann::ordered_json replyOf(const json& id, const Outcome& outcome) {
    nlohmann::ordered_json reply = {{"type", "reply"}, {"id", id}, {"ok", outcome.ok}};
    if (outcome.ok) {
        reply["result"] = outcome.result;
    } else {
        reply["error"] = outcome.error;
        reply["class"] = outcome.errorClass();
    }
    return reply;
}

ApiRequests::ApiRequests(HostSession& session, const SoundLibrary& sounds, MicrophoneMeters& meters, Hooks hooks)
    : m_session(session), m_sounds(sounds), m_meters(meters), m_hooks(std::move(hooks)) {}

std::string ApiRequests::handle(web::ConnectionId connection, const std::string& text) {
    json request;
    try {
        request = json::parse(text);
    } catch (const json::parse_error& error) {
        return replyOf(nullptr, Outcome::failure(std::string("not JSON: ") + error.what(), kExitUsage)).dump();
    }
    if (!request.is_object())
        return replyOf(nullptr, Outcome::failure("a request is a JSON object", kExitUsage)).dump();
    const json id = request.contains("id") ? request.at("id") : json();
    Outcome outcome;
    try {
        outcome = run(connection, request);
    } catch (const json::exception& error) {
        // A value of the wrong kind deep inside a request (a number where a name goes).
        outcome = Outcome::failure(std::string("malformed request: ") + error.what(), kExitUsage);
    }
    return replyOf(id, outcome).dump();
}

Outcome ApiRequests::run(web::ConnectionId connection, const json& request) {
    Fields fields{request, {}};
    const auto name = fields.text("request");
    if (!name) return fields.failure;
    DeviceOperations operations(m_session);
    if (*name == "state") return Outcome::success(m_hooks.stateDocument());
    if (*name == "play") return play(request);
    if (*name == "stop") return stop(request);
    if (*name == "meter") return meter(connection, request);
    if (*name == "micCheck") {
        const auto device = fields.text("device");
        return device ? m_hooks.startMicCheck(*device) : fields.failure;
    }
    if (*name == "prefer" || *name == "select" || *name == "volume") {
        const auto type = fields.text("type");
        if (!type) return fields.failure;
        if (*name == "prefer") {
            if (!fields.has("devices") || !request.at("devices").is_array())
                return Outcome::failure("\"devices\" must be a list of device names", kExitUsage);
            std::vector<std::string> ids;
            for (const auto& id : request.at("devices")) {
                if (!id.is_string()) return Outcome::failure("\"devices\" must be a list of device names", kExitUsage);
                ids.push_back(id.get<std::string>());
            }
            return operations.prefer(*type, ids);
        }
        const auto device = fields.text("device");
        if (!device) return fields.failure;
        if (*name == "select") return operations.select(*type, *device);
        const auto volume = fields.integer("volume");
        if (!volume) return fields.failure;
        return operations.volume(*type, *device, asVolume(*volume));
    }
    return Outcome::failure("unknown request '" + *name + "' (" + kRequests + ")", kExitUsage);
}

Outcome ApiRequests::play(const json& request) {
    Fields fields{request, {}};
    const auto sound = fields.text("sound");
    if (!sound) return fields.failure;
    const auto file = m_sounds.file(*sound);
    if (!file) return Outcome::failure("no sound named '" + *sound + "'", kExitFailure);
    const auto all = fields.optional(&Fields::flag, "all", false);
    const auto loop = fields.optional(&Fields::flag, "loop", false);
    const auto volume = fields.optional(&Fields::integer, "volume", 100L);
    const auto device = fields.optional(&Fields::text, "device", std::string());
    if (!all || !loop || !volume || !device) return fields.failure;
    if (*all && !device->empty()) return Outcome::failure("give \"device\" or \"all\", not both", kExitUsage);

    PlayRequest play;
    play.file = file->string();
    play.device = *device;
    play.allRingers = *all;
    play.volume = asVolume(*volume);
    play.loop = *loop;
    Outcome outcome = startSounds(m_session, play, [&](const std::vector<long>& sessions, const std::string& on) {
        m_hooks.publishEvent({{"event", "SessionStarted"},
                              {"sound", *sound},
                              {"device", play.allRingers ? std::string("all") : on},
                              {"sessions", sessions}});
    });
    if (outcome.ok) outcome.result["sound"] = *sound;
    return outcome;
}

Outcome ApiRequests::stop(const json& request) {
    Fields fields{request, {}};
    const auto all = fields.optional(&Fields::flag, "all", false);
    if (!all) return fields.failure;
    if (*all) return DeviceOperations(m_session).stop(std::nullopt);
    const auto session = fields.integer("session");
    if (!session) return Outcome::failure("give \"session\" or \"all\": true", kExitUsage);
    return DeviceOperations(m_session).stop(*session);
}

Outcome ApiRequests::meter(web::ConnectionId connection, const json& request) {
    Fields fields{request, {}};
    const auto device = fields.text("device");
    const auto on = fields.flag("on");
    if (!device || !on) return fields.failure;
    auto& mine = m_metersOn[connection];
    if (*on) {
        Outcome started = m_meters.start(*device);
        if (!started.ok) return started;
        // Started twice by one page, the meter still needs one stop from it.
        if (!mine.insert(started.result.at("device").get<std::string>()).second)
            m_meters.stop(started.result.at("device").get<std::string>());
        m_hooks.metersChanged();
        return started;
    }
    auto found = DeviceOperations(m_session).find(OlvarUnified::MediaDeviceTypeEnum::MICROPHONE, *device);
    if (!found.device) return found.failure;
    if (!mine.erase(found.selectionId)) return Outcome::success({{"device", found.selectionId}, {"on", false}});
    Outcome stopped = m_meters.stop(found.selectionId);
    m_hooks.metersChanged();
    return stopped;
}

void ApiRequests::connectionClosed(web::ConnectionId connection) {
    const auto mine = m_metersOn.find(connection);
    if (mine == m_metersOn.end()) return;
    for (const auto& id : mine->second) m_meters.stop(id);
    m_metersOn.erase(mine);
    m_hooks.metersChanged();
}

}  // namespace Host
