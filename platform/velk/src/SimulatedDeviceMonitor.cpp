#include "SimulatedDeviceMonitor.h"

namespace olvar::velk {

SimulatedDeviceMonitor::SimulatedDeviceMonitor(std::shared_ptr<EventThread> events)
    : m_events(std::move(events)), m_observers(std::make_shared<Observers>()) {}

void SimulatedDeviceMonitor::addObserver(DeviceMonitor_Observer* observer) { m_observers->add(observer); }

void SimulatedDeviceMonitor::removeObserver(DeviceMonitor_Observer* observer) { m_observers->remove(observer); }

void SimulatedDeviceMonitor::notifyAdded(const DeviceInfoPtr& device) {
    post(&DeviceMonitor_Observer::onDeviceAdded, device);
}

void SimulatedDeviceMonitor::notifyRemoved(const DeviceInfoPtr& device) {
    post(&DeviceMonitor_Observer::onDeviceRemoved, device);
}

void SimulatedDeviceMonitor::notifyDefaultChanged(const DeviceInfoPtr& device) {
    post(&DeviceMonitor_Observer::onDefaultDeviceChanged, device);
}

void SimulatedDeviceMonitor::post(Callback callback, const DeviceInfoPtr& device) {
    // The event holds the observer list, not the monitor: the monitor may go first.
    m_events->post([observers = m_observers, callback, device] {
        observers->forEach([&](DeviceMonitor_Observer* o) { (o->*callback)(device); });
    });
}

}  // namespace olvar::velk
