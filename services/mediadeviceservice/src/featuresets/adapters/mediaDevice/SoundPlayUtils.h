// Wave playback sessions on the device manager's PCM player.
//
// This build keeps the session bookkeeping of observers only; playing wave files comes
// with the wave reader, so PlayWaveFile and ContinueSoundOnNewDevice answer -1 (no session)
// and IsAudioFileSupported false, each with a warning.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "featuresets/adapters/mediaDevice/SoundPlayUtilsObserver.h"
#include "module/Export.h"

namespace OlvarUnified {

class MDS_EXPORT SoundPlayUtils {
public:
    static long PlayWaveFile(const std::string& file, const std::string& device, int volume, bool loop,
                             SoundPlayUtilsObserver* observer);
    static void StopWaveFilePlayout(long sessionId);
    static void StopAllWaveFilePlayout();
    static void SetVolumeForPlayingSessions(int volume, std::shared_ptr<std::vector<long>> sessionIds);
    static long ContinueSoundOnNewDevice(long sessionId, const std::string& device, int unused,
                                         SoundPlayUtilsObserver* observer);
    static bool IsAudioFileSupported(const std::string& file);
    // After this no playback end is reported to any observer registered so far.
    static void ClearSessionObservers();
};

}  // namespace OlvarUnified
