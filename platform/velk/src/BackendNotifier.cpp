#include "BackendNotifier.h"

namespace olvar::velk {

BackendNotifier::BackendNotifier()
    : m_deviceObservers(std::make_shared<ObserverList<DeviceMonitor_Observer>>()),
      m_volumeObservers(std::make_shared<ObserverList<VolumeControl_Observer>>()) {}

BackendNotifier::~BackendNotifier() { m_events.shutdown(); }

void BackendNotifier::deviceAdded(const DeviceInfoPtr& device) {
    postDevice(&DeviceMonitor_Observer::onDeviceAdded, device);
}

void BackendNotifier::deviceRemoved(const DeviceInfoPtr& device) {
    postDevice(&DeviceMonitor_Observer::onDeviceRemoved, device);
}

void BackendNotifier::defaultChanged(const DeviceInfoPtr& device) {
    postDevice(&DeviceMonitor_Observer::onDefaultDeviceChanged, device);
}

void BackendNotifier::levelChanged(int kind, const std::string& selectionId, int level) {
    m_events.post([observers = m_volumeObservers, kind, selectionId, level] {
        observers->forEach([&](VolumeControl_Observer* o) {
            if (kind == DEVICE_KIND_PLAYBACK) o->onSpeakerVolumeChanged(selectionId, level);
            else o->onInputGainChanged(selectionId, level);
        });
    });
}

void BackendNotifier::muteChanged(int kind, const std::string& selectionId, bool muted) {
    m_events.post([observers = m_volumeObservers, kind, selectionId, muted] {
        observers->forEach([&](VolumeControl_Observer* o) {
            if (kind == DEVICE_KIND_PLAYBACK) o->onSpeakerMuteChanged(selectionId, muted);
            else o->onInputMuteChanged(selectionId, muted);
        });
    });
}

void BackendNotifier::postDevice(DeviceCallback callback, const DeviceInfoPtr& device) {
    m_events.post([observers = m_deviceObservers, callback, device] {
        observers->forEach([&](DeviceMonitor_Observer* o) { (o->*callback)(device); });
    });
}

}  // namespace olvar::velk
