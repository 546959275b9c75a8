// Ringer and wave playback requests, and the play-on-all-ringers mode.
#include "MirelCoreUtils/StringUtils.h"
#include "module/MediaDeviceFeatureSet.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "objects/MediaDeviceImpl.h"
#include "services/impl/MediaDeviceServiceImpl.h"

namespace OlvarUnified {

namespace {
const wchar_t* const kPlayRingerOnAllDevicesKey = L"PlayRingerOnAllDevices";
const wchar_t* const kRingerVolumeForAllDevicesKey = L"RingerVolumeForAllDevices";
constexpr int kDefaultAllRingersVolume = 75;
}  // namespace

// Returns the started session's id (-1 when nothing was started), so that the caller can
// stop or re-level this sound like any other.
long MediaDeviceServiceImpl::playWaveFileOnCurrentDevice(std::string file) {
    auto ringer = getCurrentRingerDevice();
    return ringer ? playWaveFile(file, MirelCoreUtils::toString(ringer->getSelectionId())) : -1;
}

long MediaDeviceServiceImpl::playWaveFile(std::string file, std::string device, int volume, bool loop) {
    auto features = featureSet();
    return features ? features->playWaveFile(file, device, volume, loop) : -1;
}

long MediaDeviceServiceImpl::playWaveFile(std::string file, std::string device, int volume) {
    return playWaveFile(file, device, volume, false);
}

long MediaDeviceServiceImpl::playWaveFile(std::string file, std::string device) {
    return playWaveFile(file, device, 100, false);
}

void MediaDeviceServiceImpl::stopWaveFilePlayout(long sessionId) {
    if (auto features = featureSet()) features->stopWaveFilePlayout(sessionId);
}

void MediaDeviceServiceImpl::stopAllWaveFilePlayout() {
    if (auto features = featureSet()) features->stopAllWaveFilePlayout();
}

bool MediaDeviceServiceImpl::isAudioFileSupported(std::string file) {
    auto features = featureSet();
    return features ? features->isAudioFileSupported(file) : false;
}

long MediaDeviceServiceImpl::continueSoundOnNewDevice(int sessionId, std::string device, int number) {
    auto features = featureSet();
    return features ? features->continueSoundOnNewDevice(sessionId, device, number) : -1;
}

void MediaDeviceServiceImpl::setVolumeForPlayingSessions(int volume, SessionIds sessionIds) {
    if (!sessionIds) return;
    if (auto features = featureSet()) features->setVolumeForPlayingSessions(volume, sessionIds);
}

void MediaDeviceServiceImpl::PlayWaveFileOnAllRingerDevices(std::string file, int volume, SessionIds sessionIds,
                                                            bool loop) {
    auto ringers = getAvailableRingerDevices();
    if (!ringers) return;
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl, "Playing file on all ringer/alert devices: \n\n");
    for (const auto& ringer : *ringers) {
        if (!ringer) continue;
        long session = playWaveFile(file, MirelCoreUtils::toString(ringer->getSelectionId()), volume, loop);
        if (session != -1 && sessionIds) sessionIds->push_back(session);
    }
}

void MediaDeviceServiceImpl::StopWaveFileListPlayout(SessionIds sessionIds) {
    if (!sessionIds) return;
    for (long id : *sessionIds) stopWaveFilePlayout(id);
}

int MediaDeviceServiceImpl::getAllRingerDeviceVolume() {
    return MirelCoreUtils::toInt(configText(kRingerVolumeForAllDevicesKey), kDefaultAllRingersVolume);
}

void MediaDeviceServiceImpl::SetAllRingerDeviceVolume(int volume) {
    if (m_allRingersDevice->getDeviceVolume() == volume) return;
    m_allRingersDevice->setDeviceVolume(volume);
    m_allRingersDevice->fireOnDeviceVolumeChanged();
    setCurrentDeviceProperties(MediaDeviceTypeEnum::RINGER);
}

void MediaDeviceServiceImpl::persistVolumes() {
    storeConfig(kRingerVolumeForAllDevicesKey, MirelCoreUtils::toWideString(m_allRingersDevice->getDeviceVolume()));
}

bool MediaDeviceServiceImpl::isPlayRingerOnAllDevices() {
    return MirelCoreUtils::toBool(configText(kPlayRingerOnAllDevicesKey));
}

MediaDeviceServiceImpl::Device MediaDeviceServiceImpl::getPlayRingerOnAllDevices() { return m_allRingersDevice; }

void MediaDeviceServiceImpl::setPlayRingerOnAllDevices() {
    if (!isPlayRingerOnAllDevices()) storeConfig(kPlayRingerOnAllDevicesKey, L"TRUE");
    if (!m_allRingersDevice->getIsSelected()) {
        m_allRingersDevice->setIsSelected(true);
        m_allRingersDevice->fireOnIsSelectedChanged();
    }
    setCurrentDeviceProperties(MediaDeviceTypeEnum::RINGER);
}

void MediaDeviceServiceImpl::SetUseRinger(bool useRinger) {
    if (auto features = featureSet()) features->setUseRinger(useRinger);
}

void MediaDeviceServiceImpl::onSoundPlayFinished(long sessionId) {
    setSoundPlayFinished(static_cast<std::int32_t>(sessionId));
    fireOnSoundPlayFinishedChanged();
}

}  // namespace OlvarUnified
