// Hears the end of playout streams from the PCM player that sessions are started on.
#pragma once

#include <memory>
#include <mutex>

#include "velk/DeviceManager.h"

namespace OlvarUnified {

// Registered with one player at a time: starting sessions on another player (a new device
// manager) moves the registration there. Registration changes never run under the playback
// tables' lock, since the player's threads take that lock from inside their observer calls
// and removing an observer waits for those calls.
class PlaybackObserver : public olvar::velk::PcmPlayer_Observer {
public:
    using FinishedHandler = void (*)(const olvar::velk::PlayoutStreamPtr& stream);

    explicit PlaybackObserver(FinishedHandler onFinished) : m_onFinished(onFinished) {}
    // Leaves the player, so an unloaded module is never called.
    ~PlaybackObserver() override;
    PlaybackObserver(const PlaybackObserver&) = delete;
    PlaybackObserver& operator=(const PlaybackObserver&) = delete;

    void attachTo(const std::shared_ptr<olvar::velk::PcmPlayer>& player);
    void detach();

    void onPlayoutFinished(void* context, olvar::velk::PlayoutStreamPtr stream) override;

private:
    const FinishedHandler m_onFinished;
    std::mutex m_mutex;
    std::weak_ptr<olvar::velk::PcmPlayer> m_player;
};

}  // namespace OlvarUnified
