// The communications device manager of the simulated backend; the volume control and the
// player may be absent to imitate a reduced device manager.
#pragma once

#include <memory>

#include "velk/DeviceManager.h"

namespace olvar::velk {

class SimulatedDeviceManager : public CommunicationsDeviceManager {
public:
    SimulatedDeviceManager(std::shared_ptr<DeviceMonitor> monitor, std::shared_ptr<VolumeControl> volumeControl,
                           std::shared_ptr<PcmPlayer> player)
        : m_monitor(std::move(monitor)), m_volumeControl(std::move(volumeControl)), m_player(std::move(player)) {}

    std::shared_ptr<DeviceMonitor> getDeviceMonitor() override { return m_monitor; }
    std::shared_ptr<VolumeControl> getVolumeControl() override { return m_volumeControl; }
    std::shared_ptr<PcmPlayer> getPcmPlayer() override { return m_player; }

private:
    std::shared_ptr<DeviceMonitor> m_monitor;
    std::shared_ptr<VolumeControl> m_volumeControl;
    std::shared_ptr<PcmPlayer> m_player;
};

}  // namespace olvar::velk
