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
}
namespace olvar::velk {
class SimulatedBackend;
}

namespace Host {

// The built-in devices plus a timeline that unplugs the USB headset and plugs it back.
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
    // configuration values and applies options.configValues on top, installs a simulated
    // device manager with the scenario's devices and registers the host's services.
    bool setUp(const HostOptions& options, const olvar::velk::Scenario& scenario, std::string& error);
    // Saves the configuration values and unregisters everything; idempotent.
    // False when the configuration could not be saved.
    bool tearDown();

    std::shared_ptr<OlvarUnified::UnifiedFactory> factory() const { return m_factory; }
    std::shared_ptr<olvar::velk::SimulatedBackend> backend() const { return m_backend; }
    const std::string& configFile() const { return m_configFile; }
    // Selection id of the device the telephony side was told to use for a device type.
    std::string telephonyDeviceInUse(int mediaDeviceType) const;

private:
    std::shared_ptr<OlvarUnified::UnifiedFactory> m_factory;
    std::shared_ptr<olvar::velk::SimulatedBackend> m_backend;
    std::unique_ptr<OlvarUnified::StandInHost> m_host;
    std::string m_configFile;
};

}  // namespace Host
