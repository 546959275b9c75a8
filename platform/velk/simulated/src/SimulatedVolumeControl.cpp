#include "SimulatedVolumeControl.h"

#include "LevelRange.h"
#include "VelkLog.h"
#include "olvar/NamedLogger.h"

namespace olvar::velk {

namespace {
constexpr auto logger = &olvar::namedLogger<"velk-SimulatedVolumeControl">;
}  // namespace

SimulatedVolumeControl::SimulatedVolumeControl(std::shared_ptr<DeviceRegistry> registry,
                                               std::shared_ptr<BackendNotifier> notifier,
                                               std::shared_ptr<CallRecorder> recorder)
    : m_registry(std::move(registry)), m_notifier(std::move(notifier)), m_recorder(std::move(recorder)) {}

void SimulatedVolumeControl::addObserver(VolumeControl_Observer* observer) {
    m_notifier->volumeObservers().add(observer);
}

void SimulatedVolumeControl::removeObserver(VolumeControl_Observer* observer) {
    m_notifier->volumeObservers().remove(observer);
}

int SimulatedVolumeControl::getSpeakerVolume(const std::string& deviceName) {
    m_recorder->record("getSpeakerVolume " + deviceName);
    return readLevel(DEVICE_KIND_PLAYBACK, deviceName);
}

bool SimulatedVolumeControl::setSpeakerVolume(const std::string& deviceName, int volume) {
    m_recorder->record("setSpeakerVolume " + deviceName + " " + std::to_string(volume));
    return writeLevel(DEVICE_KIND_PLAYBACK, deviceName, volume);
}

int SimulatedVolumeControl::getInputGain(const std::string& deviceName) {
    m_recorder->record("getInputGain " + deviceName);
    return readLevel(DEVICE_KIND_RECORDING, deviceName);
}

bool SimulatedVolumeControl::setInputGain(const std::string& deviceName, int gain) {
    m_recorder->record("setInputGain " + deviceName + " " + std::to_string(gain));
    return writeLevel(DEVICE_KIND_RECORDING, deviceName, gain);
}

bool SimulatedVolumeControl::initializePeak(const std::string& deviceName) {
    m_recorder->record("initializePeak " + deviceName);
    if (m_registry->initializePeak(deviceName)) return true;
    VELK_LOG(logger(), OLVAR_LOG_WARNING, "initializePeak: no microphone named '" + deviceName + "'");
    return false;
}

void SimulatedVolumeControl::unInitializePeak(const std::string& deviceName) {
    m_recorder->record("unInitializePeak " + deviceName);
    m_registry->unInitializePeak(deviceName);
}

float SimulatedVolumeControl::getPeakLevel(const std::string& deviceName) {
    m_recorder->record("getPeakLevel " + deviceName);
    return m_registry->peakLevel(deviceName);
}

int SimulatedVolumeControl::readLevel(int kind, const std::string& deviceName) {
    const auto level = m_registry->volume(kind, deviceName);
    return level ? *level : -1;
}

bool SimulatedVolumeControl::writeLevel(int kind, const std::string& deviceName, int level) {
    if (!acceptLevel(level, deviceName, logger())) return false;
    bool changed = false;
    if (!m_registry->setVolume(kind, deviceName, level, changed)) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "no device named '" + deviceName + "' of that kind");
        return false;
    }
    if (changed) m_notifier->levelChanged(kind, deviceName, level);
    return true;
}

}  // namespace olvar::velk
