#include "PulseVolumeControl.h"

#include <cmath>

#include "LevelRange.h"
#include "PulseRequest.h"
#include "VelkLog.h"
#include "olvar/NamedLogger.h"

namespace olvar::velk {

namespace {
constexpr auto logger = &olvar::namedLogger<"velk-PulseVolumeControl">;
}  // namespace

PulseVolumeControl::PulseVolumeControl(std::shared_ptr<PulseCore> core)
    : m_core(std::move(core)), m_connection(m_core->connection), m_tracker(m_core->tracker), m_meters(m_core->meters),
      m_notifier(m_core->notifier) {}

void PulseVolumeControl::addObserver(VolumeControl_Observer* observer) { m_notifier.volumeObservers().add(observer); }

void PulseVolumeControl::removeObserver(VolumeControl_Observer* observer) {
    m_notifier.volumeObservers().remove(observer);
}

int PulseVolumeControl::getSpeakerVolume(const std::string& deviceName) {
    return m_tracker.level(DEVICE_KIND_PLAYBACK, deviceName);
}

bool PulseVolumeControl::setSpeakerVolume(const std::string& deviceName, int volume) {
    return setLevel(DEVICE_KIND_PLAYBACK, deviceName, volume);
}

int PulseVolumeControl::getInputGain(const std::string& deviceName) {
    return m_tracker.level(DEVICE_KIND_RECORDING, deviceName);
}

bool PulseVolumeControl::setInputGain(const std::string& deviceName, int gain) {
    return setLevel(DEVICE_KIND_RECORDING, deviceName, gain);
}

bool PulseVolumeControl::setLevel(int kind, const std::string& deviceName, int level) {
    if (!acceptLevel(level, deviceName, logger())) return false;
    bool done = false;
    m_connection.withContext([&](pa_context* context) {
        const int channels = m_tracker.channels(kind, deviceName);
        if (context == nullptr || channels <= 0) return;
        pa_cvolume volume;
        pa_cvolume_set(&volume, static_cast<unsigned>(channels),
                       static_cast<pa_volume_t>(std::lround(static_cast<double>(level) * PA_VOLUME_NORM / 100)));
        PulseRequest request(m_connection);
        pa_operation* op = kind == DEVICE_KIND_PLAYBACK
                               ? pa_context_set_sink_volume_by_name(context, deviceName.c_str(), &volume,
                                                                    &PulseRequest::onSuccess, &request)
                               : pa_context_set_source_volume_by_name(context, deviceName.c_str(), &volume,
                                                                      &PulseRequest::onSuccess, &request);
        done = request.wait(op);
        if (done) m_tracker.noteLevel(kind, deviceName, level);
    });
    if (!done) VELK_LOG(logger(), OLVAR_LOG_WARNING, "could not set the level of '" + deviceName + "'");
    return done;
}

bool PulseVolumeControl::initializePeak(const std::string& deviceName) {
    if (!m_tracker.isPresent(DEVICE_KIND_RECORDING, deviceName)) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "no microphone named '" + deviceName + "' for a peak meter");
        return false;
    }
    return m_meters.initialize(deviceName);
}

void PulseVolumeControl::unInitializePeak(const std::string& deviceName) { m_meters.uninitialize(deviceName); }

float PulseVolumeControl::getPeakLevel(const std::string& deviceName) { return m_meters.level(deviceName); }

}  // namespace olvar::velk
