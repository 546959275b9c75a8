#include "featuresets/adapters/mediaDevice/SoundPlayUtils.h"

#include <map>

#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "olvar/Mutex.h"

namespace OlvarUnified {

namespace {
olvar::Mutex tableMutex;
std::map<long, SoundPlayUtilsObserver*> sessionObservers;
const OlvarLoggerHandle& log() { return Loggers::SoundPlayUtils; }
}  // namespace

long SoundPlayUtils::PlayWaveFile(const std::string& file, const std::string& device, int, bool,
                                  SoundPlayUtilsObserver*) {
    MDS_LOG_WARNING(log(), "wave playback is not available in this build; not playing " << file << " on " << device);
    return -1;
}

void SoundPlayUtils::StopWaveFilePlayout(long) {}

void SoundPlayUtils::StopAllWaveFilePlayout() {}

void SoundPlayUtils::SetVolumeForPlayingSessions(int, std::shared_ptr<std::vector<long>>) {}

long SoundPlayUtils::ContinueSoundOnNewDevice(long sessionId, const std::string& device, int, SoundPlayUtilsObserver*) {
    MDS_LOG_WARNING(log(), "wave playback is not available in this build; session " << sessionId << " not moved to "
                                                                                     << device);
    return -1;
}

bool SoundPlayUtils::IsAudioFileSupported(const std::string& file) {
    MDS_LOG_WARNING(log(), "wave playback is not available in this build; cannot check " << file);
    return false;
}

void SoundPlayUtils::ClearSessionObservers() {
    olvar::MutexGuard guard(tableMutex);
    sessionObservers.clear();
}

}  // namespace OlvarUnified
