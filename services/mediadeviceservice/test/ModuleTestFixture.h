// A whole module on a simulated device manager, for tests: the host's services and stand-ins
// registered as the client's host does, a private configuration directory per test, and the
// module injected the way a host injects it. Header-only: test code, never in the module.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "OlvarUnified/StandInHost.h"
#include "OlvarUnified/Task.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "OlvarUnified/UpdateAccess.h"
#include "featuresets/adapters/mediaDevice/core/MediaDeviceAdapter.h"
#include "module/InjectMediaDeviceService.h"
#include "olvar/TemporaryDirectory.h"
#include "services/impl/MediaDeviceServiceImpl.h"
#include "velk/SimulatedBackend.h"
#include "velk/VelkWrapper.h"

namespace olvar::test {

using namespace ::OlvarUnified;

struct ModuleOptions {
    olvar::velk::Scenario scenario = olvar::velk::builtInDefaultScenario();
    std::vector<std::pair<std::wstring, std::wstring>> config;  // host configuration values
    bool withConfigFeatureSet = true;
    bool withDeviceManager = true;
    bool withTelephony = true;
    olvar::velk::SimulatedBackendOptions backend{olvar::velk::Pacing::AsFastAsPossible};
    // Installed instead of the simulated device manager when set (a real backend).
    std::shared_ptr<olvar::velk::DeviceBackend> otherBackend;
};

class ModuleTestFixture : public ::testing::Test {
protected:
    static constexpr unsigned int kFeatureSet = MEDIA_DEVICE_FEATURE_SET_TYPE;

    ~ModuleTestFixture() override { tearDownModule(); }

    // Everything but the module: call first, then inject() (and start()).
    void setUpHost(const ModuleOptions& options = {}) {
        m_directory = std::make_unique<olvar::TemporaryDirectory>("mds-module");
        ASSERT_FALSE(m_directory->path().empty()) << "no temporary directory";
        m_configDirectory = m_directory->path().substr(0, m_directory->path().size() - 1);
        ::setenv("MIREL_CONFIG_DIR", m_configDirectory.c_str(), 1);

        store = ConfigStore::instance();
        store->clear();
        for (const auto& [key, value] : options.config) store->set(key, value);

        if (options.withDeviceManager && !options.otherBackend) {
            backend = std::make_shared<olvar::velk::SimulatedBackend>(options.backend);
            ASSERT_TRUE(backend->load(options.scenario));
        }
        if (options.otherBackend) VelkWrapper::Instance()->setBackend(options.otherBackend);
        else VelkWrapper::Instance()->setBackend(backend);

        factory = std::make_shared<UnifiedFactory>();
        m_host = std::make_unique<StandInHost>(
            factory, store, StandInHostOptions{options.withConfigFeatureSet, options.withTelephony});
        configFeatureSet = m_host->configFeatureSet;
        systemService = m_host->systemService;
        telephony = m_host->telephony;
        accessories = m_host->accessories;
        configService = m_host->configService;
        telephonyService = m_host->telephonyService;
        UpdateAccess::resetViolationCount();
        m_hostUp = true;
    }

    void inject() {
        InjectMediaDeviceService(factory);
        service = std::dynamic_pointer_cast<MediaDeviceServiceImpl>(factory->getService<MediaDeviceService>());
        adapter = std::dynamic_pointer_cast<MediaDeviceAdapter>(factory->getFeatureSet<MediaDeviceFeatureSet>());
        ASSERT_TRUE(service);
        ASSERT_TRUE(adapter);
    }

    void start() {
        adapter->StartFeatureSet(kFeatureSet, noEvents());
        drain();
    }

    // The host's usual set-up: host, module, feature set started, every queue drained.
    void setUpStarted(const ModuleOptions& options = {}) {
        setUpHost(options);
        inject();
        start();
    }

    static ServiceEventList noEvents() { return std::make_shared<std::vector<std::shared_ptr<ServiceEvent>>>(); }

    static void drain() { ASSERT_TRUE(StandInHost::drain()) << "the queues did not empty"; }

    // Runs f on the services dispatcher, where the service and its objects may be used, and
    // waits for it.
    void onDispatcher(std::function<void()> f) {
        factory->getServicesDispatcher()->enqueueBlock(std::make_shared<FunctionTask>(std::move(f), "test"));
    }
    template <class F>
    auto read(F f) -> decltype(f()) {
        decltype(f()) result{};
        onDispatcher([&] { result = f(); });
        return result;
    }

    std::string propertiesFile() const { return m_configDirectory + "/deviceData4.properties"; }
    const std::string& configDirectory() const { return m_configDirectory; }

    void tearDownModule() {
        if (!m_hostUp) return;
        m_hostUp = false;
        if (adapter) {
            adapter->StopFeatureSet(kFeatureSet, noEvents());
            adapter->Destroy();
        }
        StandInHost::drain();
        adapter.reset();
        service.reset();
        if (backend) backend->stopTimeline();
        m_host->unregister();
        StandInHost::drain();
        VelkWrapper::Instance()->setBackend(nullptr);
        factory.reset();
        backend.reset();
        store->clear();
        m_directory.reset();
    }

    std::shared_ptr<ConfigStore> store;
    std::shared_ptr<olvar::velk::SimulatedBackend> backend;
    std::shared_ptr<UnifiedFactory> factory;
    std::shared_ptr<ConfigFeatureSet> configFeatureSet;
    std::shared_ptr<SystemService> systemService;
    std::shared_ptr<TelephonyMediaDeviceFeatureSetStandIn> telephony;
    std::shared_ptr<TelephonyAccessoriesFeatureSetStandIn> accessories;
    std::shared_ptr<ConfigService> configService;
    std::shared_ptr<TelephonyServiceStandIn> telephonyService;
    std::shared_ptr<MediaDeviceServiceImpl> service;
    std::shared_ptr<MediaDeviceAdapter> adapter;

private:
    std::unique_ptr<StandInHost> m_host;
    std::unique_ptr<olvar::TemporaryDirectory> m_directory;
    std::string m_configDirectory;  // without the trailing separator
    bool m_hostUp = false;
};

}  // namespace olvar::test
