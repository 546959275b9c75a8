#include "SimulatedDeviceMonitor.h"

namespace olvar::velk {

SimulatedDeviceMonitor::SimulatedDeviceMonitor(std::shared_ptr<BackendNotifier> notifier)
    : m_notifier(std::move(notifier)) {}

void SimulatedDeviceMonitor::addObserver(DeviceMonitor_Observer* observer) {
    m_notifier->deviceObservers().add(observer);
}

void SimulatedDeviceMonitor::removeObserver(DeviceMonitor_Observer* observer) {
    m_notifier->deviceObservers().remove(observer);
}

void SimulatedDeviceMonitor::notifyAdded(const DeviceInfoPtr& device) { m_notifier->deviceAdded(device); }

void SimulatedDeviceMonitor::notifyRemoved(const DeviceInfoPtr& device) { m_notifier->deviceRemoved(device); }

void SimulatedDeviceMonitor::notifyDefaultChanged(const DeviceInfoPtr& device) { m_notifier->defaultChanged(device); }

}  // namespace olvar::velk
