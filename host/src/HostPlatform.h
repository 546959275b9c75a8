// What the client's host provides before it loads the module: configuration, the system
// service, the telephony feature sets and service, and the device manager.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "HostOptions.h"
#include "velk/Scenario.h"

namespace OlvarUnified {
class UnifiedFactory;
}
namespace OlvarUnified {
class StandInHost;
class TelephonyServiceStandIn;
}
namespace olvar::velk {
class DeviceBackend;
class SimulatedBackend;
}

namespace Host {

// The built-in devices plus a timeline that unplugs the USB headset, plugs it back and
// presses a button on it.
olvar::velk::Scenario defaultHostScenario();
// When the last event of the timeline is due.
std::chrono::milliseconds timelineLength(const olvar::velk::Scenario& scenario);

class HostPlatform {
public:
    HostPlatform();
    ~HostPlatform();  // tears down if still set up
    HostPlatform(const HostPlatform&) = delete;
    HostPlatform& operator=(const HostPlatform&) = delete;

    // Points the configuration directory at options.configDirectory, loads the kept
    // configuration values and applies options.configValues on top, installs the device
    // manager (simulated with the scenario's devices, or the sound server's) and registers
    // the host's services.
    bool setUp(const HostOptions& options, const olvar::velk::Scenario& scenario, std::string& error);
    // Saves the configuration values and unregisters everything; idempotent.
    // False when the configuration could not be saved.
    bool tearDown();

    std::shared_ptr<OlvarUnified::UnifiedFactory> factory() const { return m_factory; }
    // Empty on the sound server.
    std::shared_ptr<olvar::velk::SimulatedBackend> backend() const { return m_backend; }
    std::shared_ptr<OlvarUnified::TelephonyServiceStandIn> telephonyService() const;
    const std::string& configFile() const { return m_configFile; }
    // Selection id of the device the telephony side was told to use for a device type.
    std::string telephonyDeviceInUse(int mediaDeviceType) const;

private:
    std::shared_ptr<OlvarUnified::UnifiedFactory> m_factory;
    std::shared_ptr<olvar::velk::SimulatedBackend> m_backend;
    std::shared_ptr<olvar::velk::DeviceBackend> m_deviceBackend;  // the one installed
    std::unique_ptr<OlvarUnified::StandInHost> m_host;
    std::string m_configFile;
};

}  // namespace Host
