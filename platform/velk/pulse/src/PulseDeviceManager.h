// The device manager of the sound-server backend: its monitor, volume control and player.
#pragma once

#include <memory>

#include "PulseCore.h"
#include "PulsePcmPlayer.h"
#include "PulseVolumeControl.h"
#include "velk/DeviceManager.h"

namespace olvar::velk {

class PulseDeviceMonitor : public DeviceMonitor {
public:
    explicit PulseDeviceMonitor(std::shared_ptr<PulseCore> core) : m_core(std::move(core)) {}
    void addObserver(DeviceMonitor_Observer* observer) override { m_core->notifier.deviceObservers().add(observer); }
    void removeObserver(DeviceMonitor_Observer* observer) override {
        m_core->notifier.deviceObservers().remove(observer);
    }

private:
    const std::shared_ptr<PulseCore> m_core;
};

class PulseDeviceManager : public CommunicationsDeviceManager {
public:
    explicit PulseDeviceManager(const std::shared_ptr<PulseCore>& core)
        : m_monitor(std::make_shared<PulseDeviceMonitor>(core)),
          m_volumeControl(std::make_shared<PulseVolumeControl>(core)),
          m_player(std::make_shared<PulsePcmPlayer>(core)) {}

    std::shared_ptr<DeviceMonitor> getDeviceMonitor() override { return m_monitor; }
    std::shared_ptr<VolumeControl> getVolumeControl() override { return m_volumeControl; }
    std::shared_ptr<PcmPlayer> getPcmPlayer() override { return m_player; }
    const std::shared_ptr<PulsePcmPlayer>& player() const { return m_player; }

private:
    std::shared_ptr<PulseDeviceMonitor> m_monitor;
    std::shared_ptr<PulseVolumeControl> m_volumeControl;
    std::shared_ptr<PulsePcmPlayer> m_player;
};

}  // namespace olvar::velk
