// Helpers shared by the adapter's module-level tests: a module fixture that reads the service
// on its dispatcher, plugs simulated devices and restarts the module on the properties file
// the previous run left behind. Test code only.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "MirelCoreUtils/StringUtils.h"
#include "ModuleTestFixture.h"
#include "ModuleTestNames.h"
#include "OlvarUnified/PropertyNotifier.h"
#include "objects/mediaDevice/generated/MediaDeviceNotifiers.h"
#include "objects/mediaDeviceService/generated/MediaDeviceServiceNotifiers.h"
#include "olvar/LogCapture.h"

namespace olvar::test {

using olvar::log::LogCapture;

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

}  // namespace olvar::test
