#include "SoundPlayback.h"

#include <vector>

#include "DeviceLookup.h"
#include "HostSession.h"
#include "Interruption.h"
#include "MirelCoreUtils/StringUtils.h"
#include "Output.h"
#include "operations/RequestChecks.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {

SoundPlayback::SoundPlayback(Output& output, HostSession& session, Interruption& interruption)
    : m_output(output), m_session(session), m_interruption(interruption) {
    m_session.onDispatcher(
        [this] {
            auto& service = m_session.service();
            m_connection = service.getMediaDeviceServiceNotifiers()->getSoundPlayFinishedNotifier()->connect(
                [this, &service] { finished(service.getSoundPlayFinished()); });
        },
        "Host::watchSounds");
}

SoundPlayback::~SoundPlayback() {
    m_session.onDispatcher(
        [this] {
            if (auto connection = m_connection.lock()) connection->disconnect();
        },
        "Host::unwatchSounds");
}

namespace {

// The selection id to play on; empty with a reason when there is none. On the dispatcher.
std::string ringerToPlayOn(OlvarUnified::MediaDeviceService& service, const PlayRequest& request, std::string& error) {
    if (!request.device.empty()) {
        auto device = findDevice(service, OlvarUnified::MediaDeviceTypeEnum::RINGER, request.device, error);
        return device ? MirelCoreUtils::toString(device->getSelectionId()) : std::string();
    }
    if (auto ringer = service.getCurrentRingerDevice()) return MirelCoreUtils::toString(ringer->getSelectionId());
    if (auto ringers = service.getAvailableRingerDevices(); ringers && !ringers->empty())
        return MirelCoreUtils::toString(ringers->front()->getSelectionId());
    error = "no ringer to play " + request.file + " on";
    return {};
}

}  // namespace

Outcome startSounds(HostSession& session, const PlayRequest& request, const SoundsStarted& onStarted) {
    if (auto error = volumeError(request.volume); !error.empty()) return Outcome::failure(error, kExitUsage);
    std::string error;
    std::vector<long> sessions;
    std::string on;
    session.onDispatcher(
        [&] {
            auto& service = session.service();
            if (request.allRingers) {
                auto started = std::make_shared<std::vector<long>>();
                service.PlayWaveFileOnAllRingerDevices(request.file, request.volume, started, request.loop);
                sessions = *started;
                on = "all ringers";
            } else {
                on = ringerToPlayOn(service, request, error);
                if (on.empty()) return;
                const long id = service.playWaveFile(request.file, on, request.volume, request.loop);
                if (id != -1) sessions.push_back(id);
            }
            if (sessions.empty()) {
                if (error.empty()) error = "the service started no playback of " + request.file + " on " + on;
                return;
            }
            if (onStarted) onStarted(sessions, on);
        },
        "Host::play");
    if (!error.empty()) return Outcome::failure(error);
    return Outcome::success({{"device", request.allRingers ? std::string("all") : on}, {"sessions", sessions}});
}

bool SoundPlayback::start(const PlayRequest& request, std::string& error) {
    const Outcome outcome = startSounds(m_session, request, [&](const std::vector<long>& sessions, const std::string& on) {
        std::string ids;
        std::lock_guard<std::mutex> lock(m_mutex);
        for (long id : sessions) {
            ids += " " + std::to_string(id);
            m_playing.insert(id);
            m_sessions.push_back(id);
        }
        m_output.event({{"event", "Playing"}, {"file", request.file}, {"device", on}, {"sessions", sessions}},
                       "Playing " + request.file + " on " + on + ": session" + (sessions.size() > 1 ? "s" : "") + ids);
    });
    error = outcome.error;
    return outcome.ok;
}

void SoundPlayback::finished(long sessionId) {
    m_output.event({{"event", "SoundPlayFinished"}, {"session", sessionId}},
                   "SoundPlayFinished " + std::to_string(sessionId));
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_playing.erase(sessionId);
    }
    m_interruption.wake();
}

bool SoundPlayback::allFinished() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_playing.empty();
}

bool SoundPlayback::waitUntilFinished(std::chrono::milliseconds timeout) {
    m_interruption.waitFor(timeout, [this] { return allFinished(); });
    if (allFinished()) return true;
    m_session.onDispatcher([this] { m_session.service().stopAllWaveFilePlayout(); }, "Host::stopSounds");
    m_session.drain();
    return false;
}

nlohmann::ordered_json SoundPlayback::summary() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return {{"sessions", m_sessions}, {"stillPlaying", std::vector<long>(m_playing.begin(), m_playing.end())}};
}

}  // namespace Host
