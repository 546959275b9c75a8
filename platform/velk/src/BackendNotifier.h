// Observers of a backend's device monitor and volume control, and the delivery of their
// notifications on the device manager's "velk-events" thread, in posting order.
#pragma once

#include <memory>
#include <string>

#include "EventThread.h"
#include "ObserverList.h"
#include "velk/DeviceManager.h"

namespace olvar::velk {

class BackendNotifier {
public:
    BackendNotifier();
    ~BackendNotifier();  // delivers what is queued, then ends the thread

    ObserverList<DeviceMonitor_Observer>& deviceObservers() { return *m_deviceObservers; }
    ObserverList<VolumeControl_Observer>& volumeObservers() { return *m_volumeObservers; }

    void deviceAdded(const DeviceInfoPtr& device);
    void deviceRemoved(const DeviceInfoPtr& device);
    void defaultChanged(const DeviceInfoPtr& device);
    // Speaker volume for playback devices, input gain for recording devices.
    void levelChanged(int kind, const std::string& selectionId, int level);
    void muteChanged(int kind, const std::string& selectionId, bool muted);

    // Ends delivery after what is queued; later notifications are dropped.
    void shutdown() { m_events.shutdown(); }

private:
    using DeviceCallback = void (DeviceMonitor_Observer::*)(DeviceInfoPtr);
    void postDevice(DeviceCallback callback, const DeviceInfoPtr& device);

    // Shared with queued events, which may run after a removal returned.
    std::shared_ptr<ObserverList<DeviceMonitor_Observer>> m_deviceObservers;
    std::shared_ptr<ObserverList<VolumeControl_Observer>> m_volumeObservers;
    EventThread m_events;
};

}  // namespace olvar::velk
