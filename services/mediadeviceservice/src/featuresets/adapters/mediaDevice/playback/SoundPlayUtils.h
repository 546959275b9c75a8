// Wave playback sessions on the device manager's PCM player: numbered, stoppable, re-levelled,
// movable to another device, and reported to an observer when they end.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "featuresets/adapters/mediaDevice/playback/SoundPlayUtilsObserver.h"

namespace OlvarUnified {

// Process-wide tables under one recursive lock. A session's entries stay until the player
// reports its stream ended (or a later report finds it no longer playing).
class SoundPlayUtils {
public:
    // The session id, or -1 when nothing was started. observer may be null.
    static long PlayWaveFile(const std::string& file, const std::string& device, int volume, bool loop,
                             SoundPlayUtilsObserver* observer);
    static void StopWaveFilePlayout(long sessionId);
    static void StopAllWaveFilePlayout();
    static void SetVolumeForPlayingSessions(int volume, std::shared_ptr<std::vector<long>> sessionIds);
    // Stops the session's stream and plays the rest of its sound on device under a new id.
    static long ContinueSoundOnNewDevice(long sessionId, const std::string& device, int unused,
                                         SoundPlayUtilsObserver* observer);
    static bool IsAudioFileSupported(const std::string& file);
    // After this no playback end is reported to any observer registered so far. The
    // playback observer stays with the player so that ended sessions are still cleaned up;
    // it leaves the player when the module unloads.
    static void ClearSessionObservers();
};

}  // namespace OlvarUnified
