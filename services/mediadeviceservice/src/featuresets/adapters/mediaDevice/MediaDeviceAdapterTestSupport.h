// Helpers shared by the adapter's module-level tests: a log collector, and a module fixture
// that reads the service on its dispatcher, plugs simulated devices and restarts the module
// on the properties file the previous run left behind. Test code only.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/PropertyNotifier.h"
#include "objects/MediaDeviceNotifiers.h"
#include "objects/MediaDeviceServiceNotifiers.h"
#include "olvar/OlvarLog.h"
#include "testing/ModuleTestFixture.h"

namespace OlvarUnified::Testing {

// Collects every record the threshold lets through while it lives. Records arrive on any
// thread; the state is shared with the sink so a record still in flight at removal is safe.
class LogCapture {
public:
    LogCapture() {
        auto state = m_state;
        olvar::log::setSink([state](const olvar::log::Record& record) {
            std::lock_guard<std::mutex> lock(state->mutex);
            state->records.push_back(record);
        });
    }
    ~LogCapture() { olvar::log::setSink({}); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::size_t count(int level, const std::string& text) const {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        std::size_t n = 0;
        for (const auto& record : m_state->records)
            if (record.level == level && record.message.find(text) != std::string::npos) ++n;
        return n;
    }

private:
    struct State {
        std::mutex mutex;
        std::vector<olvar::log::Record> records;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

class AdapterModuleTest : public ModuleTestFixture {
protected:
    using Type = MediaDeviceTypeEnum::MediaDeviceType;
    using Ids = std::vector<std::string>;

    // Every test of the adapter runs without touching an object off the dispatcher.
    void TearDown() override { EXPECT_EQ(UpdateAccess::violationCount(), 0u); }

    static Ids idsOf(const DeviceList& devices) {
        Ids ids;
        if (devices)
            for (const auto& device : *devices) ids.push_back(MirelCoreUtils::toString(device->getSelectionId()));
        return ids;
    }
    Ids preferredIds(Type type) {
        return read([&] { return idsOf(service->getPreferredDeviceList(type)); });
    }
    Ids availableIds(Type type) {
        return read([&] { return idsOf(service->getAvailableDeviceList(type)); });
    }
    std::shared_ptr<MediaDevice> preferredDevice(Type type, const std::string& selectionId) {
        return read([&] {
            std::shared_ptr<MediaDevice> found;
            for (const auto& device : *service->getPreferredDeviceList(type))
                if (MirelCoreUtils::toString(device->getSelectionId()) == selectionId) found = device;
            return found;
        });
    }
    int volumeOf(Type type, const std::string& selectionId) {
        auto device = preferredDevice(type, selectionId);
        return device ? read([&] { return static_cast<int>(device->getDeviceVolume()); }) : -1;
    }

    // Connects a counter to a notifier on the dispatcher; the callbacks run there too.
    using Counter = std::shared_ptr<std::atomic<int>>;
    Counter countFires(std::function<std::shared_ptr<PropertyNotifier>()> notifier) {
        auto counter = std::make_shared<std::atomic<int>>(0);
        onDispatcher([&] { notifier()->connect([counter] { ++*counter; }); });
        return counter;
    }
    Counter countServiceFires(std::shared_ptr<PropertyNotifier> (MediaDeviceServiceNotifiers::*get)()) {
        return countFires([this, get] { return (service->getMediaDeviceServiceNotifiers().get()->*get)(); });
    }

    static olvar::velk::SimulatedDevice device(int kind, const std::string& selectionId, const std::string& hardwareId) {
        olvar::velk::SimulatedDevice d;
        d.kind = kind;
        d.name = selectionId;
        d.selectionId = selectionId;
        d.hardwareId = hardwareId;
        return d;
    }
    void plug(const olvar::velk::SimulatedDevice& d) {
        ASSERT_TRUE(backend->plug(d)) << d.selectionId;
        drain();
    }
    void unplug(const std::string& selectionId) {
        ASSERT_TRUE(backend->unplug(selectionId)) << selectionId;
        drain();
    }

    bool storeFileExists() const { return std::filesystem::exists(propertiesFile()); }

    // Stops this module as the host does and starts a new one (new host, service and
    // adapter) that finds the properties file the old one wrote.
    void restartModuleKeepingStore(const ModuleOptions& options = {}) {
        adapter->StopFeatureSet(kFeatureSet, noEvents());
        drain();
        std::string bytes;
        {
            std::ifstream in(propertiesFile(), std::ios::binary);
            ASSERT_TRUE(in) << "no properties file was written";
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        tearDownModule();
        setUpHost(options);
        {
            std::ofstream out(propertiesFile(), std::ios::binary);
            out << bytes;
        }
        inject();
        start();
    }
};

}  // namespace OlvarUnified::Testing
