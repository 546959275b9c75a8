#include "HostPlatform.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "MirelCoreUtils/FileUtils.h"
#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/ConfigStore.h"
#include "OlvarUnified/StandInHost.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "SoundServerHost.h"
#include "velk/SimulatedBackend.h"
#include "velk/VelkWrapper.h"

namespace Host {
namespace {

olvar::velk::ScenarioEvent unplugAt(std::chrono::milliseconds at, const std::string& selectionId) {
    olvar::velk::ScenarioEvent event;
    event.at = at;
    event.action = olvar::velk::ScenarioEvent::Action::Unplug;
    event.selectionId = selectionId;
    return event;
}

olvar::velk::ScenarioEvent plugAt(std::chrono::milliseconds at, const olvar::velk::SimulatedDevice& device) {
    olvar::velk::ScenarioEvent event;
    event.at = at;
    event.action = olvar::velk::ScenarioEvent::Action::Plug;
    event.device = device;
    return event;
}

}  // namespace

olvar::velk::Scenario defaultHostScenario() {
    using std::chrono::milliseconds;
    olvar::velk::Scenario scenario = olvar::velk::builtInDefaultScenario();
    std::vector<olvar::velk::SimulatedDevice> headset;
    for (const auto& device : scenario.devices)
        if (device.selectionId.rfind("usb-headset", 0) == 0) headset.push_back(device);
    for (const auto& device : headset) scenario.events.push_back(unplugAt(milliseconds(300), device.selectionId));
    for (const auto& device : headset) scenario.events.push_back(plugAt(milliseconds(700), device));
    if (!headset.empty()) {
        olvar::velk::ScenarioEvent press;
        press.at = milliseconds(1000);
        press.action = olvar::velk::ScenarioEvent::Action::Button;
        press.button = "answer-call";
        press.hardwareId = headset.front().hardwareId;
        scenario.events.push_back(press);
    }
    return scenario;
}

std::chrono::milliseconds timelineLength(const olvar::velk::Scenario& scenario) {
    std::chrono::milliseconds last{0};
    for (const auto& event : scenario.events) last = std::max(last, event.at);
    return last;
}

HostPlatform::HostPlatform() = default;
HostPlatform::~HostPlatform() { tearDown(); }

bool HostPlatform::setUp(const HostOptions& options, const olvar::velk::Scenario& scenario, std::string& error) {
    using namespace OlvarUnified;
    // The module keeps its preferred-device file in the configuration directory: point it at
    // this run's folder so that the host never touches the user's own configuration.
    ::setenv("MIREL_CONFIG_DIR", options.configDirectory.c_str(), 1);
    const std::string directory = MirelCoreUtils::FileUtils::getConfigDirectory();
    m_configFile = directory + MirelCoreUtils::FileUtils::FileSeparator() + "host-config.txt";
    if (!std::filesystem::is_directory(directory) || ::access(directory.c_str(), W_OK) != 0) {
        error = "configuration directory " + options.configDirectory + " is not a writable directory";
        return false;
    }

    auto store = ConfigStore::instance();
    store->clear();
    store->loadFromFile(m_configFile);
    for (const auto& [key, value] : options.configValues)
        store->set(MirelCoreUtils::toWideString(key), MirelCoreUtils::toWideString(value));

    if (options.backend == "pulse") {
        m_deviceBackend = makeSoundServerBackend(error);
        if (!m_deviceBackend) return false;
    } else {
        m_backend = std::make_shared<olvar::velk::SimulatedBackend>();
        if (!m_backend->load(scenario)) {
            error = "the scenario's devices could not all be set up";
            m_backend.reset();
            return false;
        }
        m_deviceBackend = m_backend;
    }
    VelkWrapper::Instance()->setBackend(m_deviceBackend);

    m_factory = std::make_shared<UnifiedFactory>();
    m_host = std::make_unique<StandInHost>(m_factory, store);
    if (options.applyDefaults && m_host->telephony) {
        std::weak_ptr<olvar::velk::DeviceBackend> backend = m_deviceBackend;
        m_host->telephony->audio()->setDeviceInUseListener([backend](int type, const std::string& selectionId) {
            makeServerDefault(backend.lock(), type, selectionId);
        });
    }
    return true;
}

bool HostPlatform::tearDown() {
    using namespace OlvarUnified;
    if (!m_factory && !m_deviceBackend) return true;
    if (m_backend) m_backend->stopTimeline();
    if (m_host && m_host->telephony) m_host->telephony->audio()->setDeviceInUseListener(nullptr);
    if (m_host) m_host->shutdown();
    VelkWrapper::Instance()->setBackend(nullptr);
    const bool saved = ConfigStore::instance()->saveToFile(m_configFile);
    m_factory.reset();
    m_backend.reset();
    m_deviceBackend.reset();
    m_host.reset();
    return saved;
}

std::shared_ptr<OlvarUnified::TelephonyServiceStandIn> HostPlatform::telephonyService() const {
    return m_host ? m_host->telephonyService : nullptr;
}

std::string HostPlatform::telephonyDeviceInUse(int mediaDeviceType) const {
    if (!m_host || !m_host->telephony) return {};
    constexpr int kCamera = 3;
    if (mediaDeviceType == kCamera) return m_host->telephony->video()->getCurrentCaptureDevice();
    return m_host->telephony->audio()->getCurrentDevice(mediaDeviceType);
}

}  // namespace Host
