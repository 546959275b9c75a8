#include "velk/SimulatedBackend.h"

#include "BackendNotifier.h"
#include "DeviceRegistry.h"
#include "ScenarioTimeline.h"
#include "SimulatedDeviceManager.h"
#include "SimulatedDeviceMonitor.h"
#include "SimulatedPcmPlayer.h"
#include "SimulatedVolumeControl.h"
#include "VelkLog.h"
#include "olvar/CallRecorder.h"
#include "olvar/NamedLogger.h"

namespace olvar::velk {

namespace {
constexpr auto logger = &olvar::namedLogger<"velk-SimulatedBackend">;
}  // namespace

SimulatedBackend::SimulatedBackend(SimulatedBackendOptions options)
    : m_recorder(std::make_shared<CallRecorder>()), m_registry(std::make_shared<DeviceRegistry>()),
      m_notifier(std::make_shared<BackendNotifier>()), m_monitor(std::make_shared<SimulatedDeviceMonitor>(m_notifier)) {
    if (options.withVolumeControl) {
        m_volumeControl = std::make_shared<SimulatedVolumeControl>(m_registry, m_notifier, m_recorder);
    }
    if (options.withPcmPlayer) {
        m_player = std::make_shared<SimulatedPcmPlayer>(m_registry, m_recorder, options.pacing,
                                                        options.pcmKeptPerStream);
    }
    m_manager = std::make_shared<SimulatedDeviceManager>(m_monitor, m_volumeControl, m_player);
}

SimulatedBackend::~SimulatedBackend() {
    // Timeline first (it changes devices), then the players, then the queued notifications.
    stopTimeline();
    if (m_player) m_player->shutdown();
    m_notifier->shutdown();
}

std::shared_ptr<CommunicationsDeviceManager> SimulatedBackend::manager() { return m_manager; }

DeviceInfoList SimulatedBackend::devices(int kind) { return m_registry->devices(kind); }

DeviceInfoPtr SimulatedBackend::defaultDevice(int kind) { return m_registry->defaultDevice(kind); }

void SimulatedBackend::setAlertsDeviceName(const std::string& name) {
    m_recorder->record("setAlertsDeviceName " + name);
    std::lock_guard<std::mutex> lock(m_alertsMutex);
    m_alertsDeviceName = name;
}

std::string SimulatedBackend::alertsDeviceName() {
    std::lock_guard<std::mutex> lock(m_alertsMutex);
    return m_alertsDeviceName;
}

bool SimulatedBackend::plug(const SimulatedDevice& device) { return applyPlug(device, true); }

bool SimulatedBackend::unplug(const std::string& selectionId) { return applyUnplug(selectionId); }

bool SimulatedBackend::setDefault(int kind, const std::string& selectionId) {
    return applySetDefault(kind, selectionId, true);
}

bool SimulatedBackend::setPeakLevel(const std::string& selectionId, float level) {
    if (m_registry->setPeakLevel(selectionId, level)) return true;
    VELK_LOG(logger(), OLVAR_LOG_WARNING, "setPeakLevel: unknown device '" + selectionId + "'");
    return false;
}

bool SimulatedBackend::load(const Scenario& scenario) {
    bool allApplied = true;
    for (const SimulatedDevice& device : scenario.devices) allApplied = applyPlug(device, false) && allApplied;
    for (const ScenarioDefault& d : scenario.defaults) {
        allApplied = applySetDefault(d.kind, d.selectionId, false) && allApplied;
    }
    return allApplied;
}

void SimulatedBackend::startTimeline(const Scenario& scenario) {
    std::lock_guard<std::mutex> lock(m_timelineMutex);
    m_timeline.reset();  // stops a running one first
    m_timeline = std::make_unique<ScenarioTimeline>(scenario.events,
                                                    [this](const ScenarioEvent& e) { applyTimedEvent(e); });
}

void SimulatedBackend::stopTimeline() {
    std::lock_guard<std::mutex> lock(m_timelineMutex);
    m_timeline.reset();
}

std::vector<std::string> SimulatedBackend::calls() const { return m_recorder->calls(); }

std::size_t SimulatedBackend::callCount(const std::string& prefix) const { return m_recorder->count(prefix); }

void SimulatedBackend::clearCalls() { m_recorder->clear(); }

std::int64_t SimulatedBackend::bytesConsumed(const PlayoutStreamPtr& stream) const {
    return m_player ? m_player->bytesConsumed(stream) : -1;
}

std::uint64_t pcmChecksum(std::uint64_t checksum, const void* data, std::size_t size) {
    constexpr std::uint64_t kPrime = 1099511628211ULL;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) checksum = (checksum ^ bytes[i]) * kPrime;
    return checksum;
}

std::vector<PlayoutRecord> SimulatedBackend::playouts() const {
    return m_player ? m_player->playouts() : std::vector<PlayoutRecord>{};
}

int SimulatedBackend::audioBufferingMode() const { return m_player ? m_player->getAudioBufferingMode() : -1; }

bool SimulatedBackend::applyPlug(const SimulatedDevice& device, bool notify) {
    std::lock_guard<std::mutex> lock(m_changeMutex);
    const DeviceInfoPtr oldDefault = m_registry->defaultDevice(device.kind);
    DeviceInfoPtr added;
    if (!m_registry->add(device, added)) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING,
                 "cannot plug '" + device.selectionId + "' (kind " + std::to_string(device.kind) +
                     "): invalid kind, empty or duplicate selection id");
        return false;
    }
    if (!notify) return true;
    m_monitor->notifyAdded(added);
    const DeviceInfoPtr newDefault = m_registry->defaultDevice(device.kind);
    if (newDefault != oldDefault) m_monitor->notifyDefaultChanged(newDefault);
    return true;
}

bool SimulatedBackend::applyUnplug(const std::string& selectionId) {
    std::lock_guard<std::mutex> lock(m_changeMutex);
    int kind = 0;
    for (int k : {DEVICE_KIND_RECORDING, DEVICE_KIND_PLAYBACK, DEVICE_KIND_CAPTURE}) {
        if (m_registry->isPresent(k, selectionId)) kind = k;
    }
    const DeviceInfoPtr oldDefault = kind != 0 ? m_registry->defaultDevice(kind) : nullptr;
    const DeviceInfoPtr removed = m_registry->remove(selectionId);
    if (!removed) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "cannot unplug unknown device '" + selectionId + "'");
        return false;
    }
    m_monitor->notifyRemoved(removed);
    // With no device of that kind left there is nothing to announce as the new default.
    const DeviceInfoPtr newDefault = m_registry->defaultDevice(kind);
    if (newDefault && newDefault != oldDefault) m_monitor->notifyDefaultChanged(newDefault);
    return true;
}

bool SimulatedBackend::applySetDefault(int kind, const std::string& selectionId, bool notify) {
    std::lock_guard<std::mutex> lock(m_changeMutex);
    const DeviceInfoPtr oldDefault = m_registry->defaultDevice(kind);
    if (!m_registry->setDefault(kind, selectionId)) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING,
                 "cannot make unknown device '" + selectionId + "' the default of kind " + std::to_string(kind));
        return false;
    }
    const DeviceInfoPtr newDefault = m_registry->defaultDevice(kind);
    if (notify && newDefault != oldDefault) m_monitor->notifyDefaultChanged(newDefault);
    return true;
}

void SimulatedBackend::applyTimedEvent(const ScenarioEvent& event) {
    switch (event.action) {
        case ScenarioEvent::Action::Plug: plug(event.device); break;
        case ScenarioEvent::Action::Unplug: unplug(event.selectionId); break;
        case ScenarioEvent::Action::SetDefault: setDefault(event.kind, event.selectionId); break;
        case ScenarioEvent::Action::Button: pressButton(event); break;
    }
}

void SimulatedBackend::setButtonSink(ButtonSink sink) {
    std::lock_guard<std::mutex> lock(m_buttonMutex);
    m_buttonSink = std::move(sink);
}

void SimulatedBackend::pressButton(const ScenarioEvent& event) {
    ButtonSink sink;
    {
        std::lock_guard<std::mutex> lock(m_buttonMutex);
        sink = m_buttonSink;
    }
    if (sink) {
        sink(event);
        return;
    }
    VELK_LOG(logger(), OLVAR_LOG_WARNING,
             "nobody listens for accessory buttons: dropped " + event.button + " on " + event.hardwareId);
}

}  // namespace olvar::velk
