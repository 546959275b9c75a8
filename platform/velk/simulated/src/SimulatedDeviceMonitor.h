// Device monitor of the simulated device manager: device notifications go out on the
// event thread.
#pragma once

#include <memory>

#include "BackendNotifier.h"
#include "velk/DeviceManager.h"

namespace olvar::velk {

class SimulatedDeviceMonitor : public DeviceMonitor {
public:
    explicit SimulatedDeviceMonitor(std::shared_ptr<BackendNotifier> notifier);

    void addObserver(DeviceMonitor_Observer* observer) override;
    void removeObserver(DeviceMonitor_Observer* observer) override;

    void notifyAdded(const DeviceInfoPtr& device);
    void notifyRemoved(const DeviceInfoPtr& device);
    void notifyDefaultChanged(const DeviceInfoPtr& device);

private:
    std::shared_ptr<BackendNotifier> m_notifier;
};

}  // namespace olvar::velk
