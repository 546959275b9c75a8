// Plays a wave file through the service while the host runs, printing each session id and
// each SoundPlayFinished.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <ostream>
#include <set>
#include <string>

namespace OlvarUnified {
class MediaDeviceService;
class PropertyNotifierConnection;
class ServicesDispatcher;
}  // namespace OlvarUnified

namespace Host {

class SoundPlayback {
public:
    SoundPlayback(std::ostream& out, OlvarUnified::ServicesDispatcher& dispatcher,
                  std::shared_ptr<OlvarUnified::MediaDeviceService> service);
    ~SoundPlayback();
    SoundPlayback(const SoundPlayback&) = delete;
    SoundPlayback& operator=(const SoundPlayback&) = delete;

    // On the current ringer, or the first available ringer while none is current; or on
    // every ringer. False when nothing was started.
    bool start(const std::string& file, bool allRingers);
    // True once every started session has finished; stops them all when the wait ends first.
    bool waitUntilFinished(std::chrono::milliseconds timeout);

private:
    void startOnOneRinger(const std::string& file);
    void startOnAllRingers(const std::string& file);
    void finished(long sessionId);

    std::ostream& m_out;
    OlvarUnified::ServicesDispatcher& m_dispatcher;
    std::shared_ptr<OlvarUnified::MediaDeviceService> m_service;
    std::weak_ptr<OlvarUnified::PropertyNotifierConnection> m_connection;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::set<long> m_playing;
};

}  // namespace Host
