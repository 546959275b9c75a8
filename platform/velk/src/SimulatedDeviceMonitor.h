// Device monitor of the simulated device manager: device notifications go out on the
// event thread.
#pragma once

#include <memory>

#include "EventThread.h"
#include "ObserverList.h"
#include "velk/DeviceManager.h"

namespace olvar::velk {

class SimulatedDeviceMonitor : public DeviceMonitor {
public:
    explicit SimulatedDeviceMonitor(std::shared_ptr<EventThread> events);

    void addObserver(DeviceMonitor_Observer* observer) override;
    void removeObserver(DeviceMonitor_Observer* observer) override;

    void notifyAdded(const DeviceInfoPtr& device);
    void notifyRemoved(const DeviceInfoPtr& device);
    void notifyDefaultChanged(const DeviceInfoPtr& device);

private:
    using Observers = ObserverList<DeviceMonitor_Observer>;
    using Callback = void (DeviceMonitor_Observer::*)(DeviceInfoPtr);
    void post(Callback callback, const DeviceInfoPtr& device);

    std::shared_ptr<EventThread> m_events;
    std::shared_ptr<Observers> m_observers;
};

}  // namespace olvar::velk
