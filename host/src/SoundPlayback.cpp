#include "SoundPlayback.h"

#include <functional>
#include <vector>

#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/ServicesDispatcher.h"
#include "OlvarUnified/Task.h"
#include "objects/MediaDeviceService.h"

namespace Host {

namespace {
void onDispatcher(OlvarUnified::ServicesDispatcher& dispatcher, std::function<void()> call, const char* name) {
    dispatcher.enqueueBlock(std::make_shared<OlvarUnified::FunctionTask>(std::move(call), name));
}
}  // namespace

SoundPlayback::SoundPlayback(std::ostream& out, OlvarUnified::ServicesDispatcher& dispatcher,
                             std::shared_ptr<OlvarUnified::MediaDeviceService> service)
    : m_out(out), m_dispatcher(dispatcher), m_service(std::move(service)) {
    onDispatcher(
        m_dispatcher,
        [this] {
            m_connection = m_service->getMediaDeviceServiceNotifiers()->getSoundPlayFinishedNotifier()->connect(
                [this] { finished(m_service->getSoundPlayFinished()); });
        },
        "Host::watchSounds");
}

SoundPlayback::~SoundPlayback() {
    onDispatcher(
        m_dispatcher,
        [this] {
            if (auto connection = m_connection.lock()) connection->disconnect();
        },
        "Host::unwatchSounds");
}

bool SoundPlayback::start(const std::string& file, bool allRingers) {
    // Both run on the dispatcher, so no end can be printed before its session is known.
    onDispatcher(
        m_dispatcher, [&] { allRingers ? startOnAllRingers(file) : startOnOneRinger(file); }, "Host::play");
    std::lock_guard<std::mutex> lock(m_mutex);
    return !m_playing.empty();
}

void SoundPlayback::startOnOneRinger(const std::string& file) {
    long session = -1;
    std::string device;
    if (auto ringer = m_service->getCurrentRingerDevice()) {
        device = MirelCoreUtils::toString(ringer->getSelectionId());
        session = m_service->playWaveFileOnCurrentDevice(file);
    } else if (auto ringers = m_service->getAvailableRingerDevices(); ringers && !ringers->empty()) {
        device = MirelCoreUtils::toString(ringers->front()->getSelectionId()) + " (first ringer; none is current)";
        session = m_service->playWaveFile(file, MirelCoreUtils::toString(ringers->front()->getSelectionId()));
    } else {
        m_out << "No ringer to play " << file << " on\n";
        return;
    }
    m_out << "Playing " << file << " on " << device << ": session " << session << "\n" << std::flush;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (session != -1) m_playing.insert(session);
}

void SoundPlayback::startOnAllRingers(const std::string& file) {
    auto sessions = std::make_shared<std::vector<long>>();
    m_service->PlayWaveFileOnAllRingerDevices(file, 100, sessions, false);
    m_out << "Playing " << file << " on all ringers: sessions";
    for (long session : *sessions) m_out << " " << session;
    m_out << (sessions->empty() ? " none\n" : "\n") << std::flush;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_playing.insert(sessions->begin(), sessions->end());
}

void SoundPlayback::finished(long sessionId) {
    m_out << "SoundPlayFinished " << sessionId << "\n" << std::flush;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_playing.erase(sessionId);
    }
    m_changed.notify_all();
}

bool SoundPlayback::waitUntilFinished(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_changed.wait_for(lock, timeout, [&] { return m_playing.empty(); })) return true;
    lock.unlock();
    onDispatcher(m_dispatcher, [this] { m_service->stopAllWaveFilePlayout(); }, "Host::stopSounds");
    return false;
}

}  // namespace Host
