#include "featuresets/adapters/mediaDevice/playback/PlaybackObserver.h"

namespace OlvarUnified {

PlaybackObserver::~PlaybackObserver() { detach(); }

void PlaybackObserver::attachTo(const std::shared_ptr<olvar::velk::PcmPlayer>& player) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto current = m_player.lock();
    if (current == player) return;
    if (current) current->removePlaybackObserver(this);
    if (player) player->addPlaybackObserver(this);
    m_player = player;
}

void PlaybackObserver::detach() { attachTo(nullptr); }

void PlaybackObserver::onPlayoutFinished(void*, olvar::velk::PlayoutStreamPtr stream) { m_onFinished(stream); }

}  // namespace OlvarUnified
