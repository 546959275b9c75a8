// Helpers shared by the service's tests: devices made the way the adapter makes them, a
// recording media-device feature set, and a fixture that builds the service directly on a
// private factory. Test code only.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/ConfigFeatureSet.h"
#include "OlvarUnified/HostService.h"
#include "OlvarUnified/Task.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "OlvarUnified/UpdateAccess.h"
#include "RecordingObservers.h"
#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "module/MediaDeviceFeatureSet.h"
#include "objects/mediaDevice/MediaDeviceImpl.h"
#include "services/impl/MediaDeviceServiceImpl.h"

namespace olvar::test {

using namespace ::OlvarUnified;

using Strings = std::vector<std::string>;
using Type = MediaDeviceTypeEnum::MediaDeviceType;

struct DeviceParams {
    DeviceParams(std::string name, std::string hardwareId = "", Type type = MediaDeviceTypeEnum::SPEAKER,
               bool plugged = true, bool selected = false, int volume = 50)
        : name(std::move(name)), hardwareId(std::move(hardwareId)), type(type), plugged(plugged), selected(selected),
          volume(volume) {}
    std::string name;  // also the selection id
    std::string hardwareId;
    Type type;
    bool plugged;
    bool selected;
    int volume;
};

// A published device with an identifier of its own, committed to the services dispatcher.
inline std::shared_ptr<MediaDevice> makeDevice(const std::shared_ptr<UnifiedFactory>& factory, const DeviceParams& params) {
    PreferredMediaDeviceImpl record(params.name, params.hardwareId, params.name, params.type, params.volume, params.name + "-if",
                                    params.name + " (friendly)", params.name + "-instance", "Vendor");
    record.isPlugged = params.plugged;
    record.isSelectedIn = params.selected;
    return std::make_shared<MediaDeviceImpl>(factory, record);
}

// A fresh object for the same item, as the adapter publishes a device again.
inline std::shared_ptr<MediaDevice> snapshotOf(const std::shared_ptr<UnifiedFactory>& factory,
                                               const std::shared_ptr<MediaDevice>& device,
                                               const std::function<void(PreferredMediaDeviceImpl&)>& change = {}) {
    PreferredMediaDeviceImpl record(device, device->getType());
    if (change) change(record);
    return std::make_shared<MediaDeviceImpl>(factory, record);
}

inline DeviceList listOf(std::vector<std::shared_ptr<MediaDevice>> devices) {
    return std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>(std::move(devices));
}

inline std::shared_ptr<std::vector<long>> sessions(std::vector<long> ids = {}) {
    return std::make_shared<std::vector<long>>(std::move(ids));
}

inline Strings namesOf(const DeviceList& devices) {
    Strings names;
    if (devices)
        for (const auto& device : *devices) names.push_back(MirelCoreUtils::toString(device->getName()));
    return names;
}

inline std::shared_ptr<RecordingMediaDeviceObserver> observeDevice(const std::shared_ptr<MediaDevice>& device) {
    auto observer = std::make_shared<RecordingMediaDeviceObserver>();
    device->addObserver(std::weak_ptr<MediaDeviceObserver>(observer));
    return observer;
}

inline std::shared_ptr<RecordingMediaDeviceServiceObserver> observeService(
    const std::shared_ptr<MediaDeviceService>& service) {
    auto observer = std::make_shared<RecordingMediaDeviceServiceObserver>();
    service->addObserver(std::weak_ptr<MediaDeviceServiceObserver>(observer));
    return observer;
}

// Records every request with its arguments; answers from the fields below.
class RecordingMediaDeviceFeatureSet : public MediaDeviceFeatureSet {
public:
    Strings calls;
    std::vector<PreferredMediaDevicePtr> records;  // device arguments, in call order
    std::map<Type, DeviceList> plugged;
    std::set<std::string> failingDevices;  // playWaveFile gives -1 for these
    std::map<std::string, int> speakerVolumes;
    long nextSession = 100;
    float peak = 0.75f;

    void modifyPreferredDeviceList(Type type, PreferredMediaDeviceList first, PreferredMediaDeviceList second) override {
        calls.push_back("modifyPreferredDeviceList " + std::to_string(type) + " " + std::to_string(first->size()) +
                        " " + std::to_string(second->size()));
    }
    bool persistPreferredDeviceList() override { return log("persistPreferredDeviceList"), true; }
    void setCurrentMediaDevice(Type type, PreferredMediaDevicePtr device) override {
        logDevice("setCurrentMediaDevice " + std::to_string(type), device);
    }
    bool setCaptureDevice(std::string id) override { return log("setCaptureDevice " + id), true; }
    std::string getCaptureDevice() override { return log("getCaptureDevice"), "cam-1"; }
    void setMediaDeviceVolume(Type type, PreferredMediaDevicePtr device, int volume) override {
        logDevice("setMediaDeviceVolume " + std::to_string(type) + " " + std::to_string(volume), device);
    }
    float getInputDevicePeak(PreferredMediaDevicePtr device) override { return logDevice("getInputDevicePeak", device), peak; }
    void initialisePeak(PreferredMediaDevicePtr device) override { logDevice("initialisePeak", device); }
    void unInitialisePeak(PreferredMediaDevicePtr device) override { logDevice("unInitialisePeak", device); }
    void addLocalVideoPreviewWindow(void* window) override { log("addLocalVideoPreviewWindow " + handle(window)); }
    void removeLocalVideoPreviewWindow(void* window) override { log("removeLocalVideoPreviewWindow " + handle(window)); }
    long playWaveFile(std::string file, std::string device, int volume, bool loop) override {
        log("playWaveFile " + file + " " + device + " " + std::to_string(volume) + (loop ? " loop" : " once"));
        return failingDevices.count(device) ? -1 : nextSession++;
    }
    void stopWaveFilePlayout(long id) override { log("stopWaveFilePlayout " + std::to_string(id)); }
    void stopAllWaveFilePlayout() override { log("stopAllWaveFilePlayout"); }
    bool isAudioFileSupported(std::string file) override { return log("isAudioFileSupported " + file), true; }
    long continueSoundOnNewDevice(int id, std::string device, int number) override {
        log("continueSoundOnNewDevice " + std::to_string(id) + " " + device + " " + std::to_string(number));
        return 7;
    }
    void setVolumeForPlayingSessions(int volume, std::shared_ptr<std::vector<long>> ids) override {
        log("setVolumeForPlayingSessions " + std::to_string(volume) + " " + std::to_string(ids->size()));
    }
    int getSpeakerDeviceVolume(std::string id) override { return speakerVolumes.count(id) ? speakerVolumes[id] : 0; }
    void setUseRinger(bool use) override { log(use ? "setUseRinger on" : "setUseRinger off"); }
    void setCurrentMediaDeviceByAccessoryType(AccessoryDeviceTypeEnum::AccessoryDeviceType type) override {
        log("setCurrentMediaDeviceByAccessoryType " + std::to_string(type));
    }
    void setCurrentMediaDeviceByHardwareId(const std::wstring& id) override {
        log("setCurrentMediaDeviceByHardwareId " + MirelCoreUtils::toString(id));
    }
    DeviceList getPluginDevice(Type type) override {
        auto found = plugged.find(type);
        return found == plugged.end() ? listOf({}) : listOf(*found->second);
    }

private:
    void log(std::string call) { calls.push_back(std::move(call)); }
    void logDevice(std::string call, PreferredMediaDevicePtr device) {
        log(call + " " + device->name);
        records.push_back(std::move(device));
    }
    static std::string handle(void* window) { return std::to_string(reinterpret_cast<std::uintptr_t>(window)); }
};

// The service built directly, with a configuration service of its own and, once
// withFeatureSet() is called, the recording feature set. Test bodies run on the services
// dispatcher through run(), where the committed devices may be used.
class DirectServiceFixture : public ::testing::Test {
protected:
    void SetUp() override {
        UpdateAccess::resetViolationCount();
        ServiceFactory::getInstance()->registerService<ConfigService>(std::make_shared<ConfigService>(store));
    }
    void TearDown() override {
        // The reported devices hold the factory that holds the feature set: break the cycle.
        run([&] {
            service.reset();
            features->plugged.clear();
        });
        factory->clearRegistries();
        ServiceFactory::getInstance()->clear();
        EXPECT_EQ(UpdateAccess::violationCount(), 0u);
    }

    void withFeatureSet() {
        factory->registerFeatureSet(unifiedTypeName<MediaDeviceFeatureSet>(), MEDIA_DEVICE_FEATURE_SET_TYPE, features);
    }
    void createService() { run([&] { service = std::make_shared<MediaDeviceServiceImpl>(factory); }); }
    void run(std::function<void()> f) {
        factory->getServicesDispatcher()->enqueueBlock(std::make_shared<FunctionTask>(std::move(f), "test"));
    }

    std::shared_ptr<MediaDevice> device(const DeviceParams& params) { return makeDevice(factory, params); }
    void push(Type type, std::vector<std::shared_ptr<MediaDevice>> devices,
              MediaDevicePositionEnum::MediaDevicePosition position = MediaDevicePositionEnum::END) {
        service->setPreferredDeviceList(type, listOf(std::move(devices)), position);
    }

    std::shared_ptr<ConfigStore> store = std::make_shared<ConfigStore>();
    std::shared_ptr<UnifiedFactory> factory = std::make_shared<UnifiedFactory>();
    std::shared_ptr<RecordingMediaDeviceFeatureSet> features = std::make_shared<RecordingMediaDeviceFeatureSet>();
    std::shared_ptr<MediaDeviceServiceImpl> service;
};

}  // namespace olvar::test
