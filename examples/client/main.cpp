// A client of the installed package: loads the media-device module as a host does, starts its
// feature set on the simulated device manager, listens to the preferred speakers and prints
// them. Exits 0 when the list was announced and read back, 1 otherwise.
#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/ConfigStore.h"
#include "OlvarUnified/FeatureSet.h"
#include "OlvarUnified/ServicesDispatcher.h"
#include "OlvarUnified/StandInHost.h"
#include "OlvarUnified/Task.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "module/MediaDeviceTypes.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"
#include "velk/Scenario.h"
#include "velk/SimulatedBackend.h"
#include "velk/VelkWrapper.h"

#ifndef MDS_MODULE_PATH
#error "MDS_MODULE_PATH names the installed module file"
#endif

namespace {

using namespace OlvarUnified;
using Entry = void (*)(std::shared_ptr<UnifiedFactory>);

// Runs a step on the services dispatcher, the only thread that may touch the service.
void onDispatcher(UnifiedFactory& factory, std::function<void()> step, const char* name) {
    factory.getServicesDispatcher()->enqueueBlock(std::make_shared<FunctionTask>(std::move(step), name));
}

int fail(const std::string& message) {
    std::cerr << "mediadevice-client: " << message << "\n";
    return 1;
}

// Starts the module's feature set, listens to the preferred speakers and prints them, then stops
// and destroys the feature set. Its objects are held only here, so that the host's shutdown is
// the last to let them go.
int listPreferredSpeakers(UnifiedFactory& factory) {
    auto adapter = std::dynamic_pointer_cast<FeatureSetAdapter>(factory.getFeatureSet(MEDIA_DEVICE_FEATURE_SET_TYPE));
    auto service = std::dynamic_pointer_cast<MediaDeviceService>(factory.getService(MEDIA_DEVICE_FEATURE_SET_TYPE));
    if (!adapter || !service) return fail("the module registered no media-device feature set or service");

    std::atomic<int> announcements{0};
    std::weak_ptr<PropertyNotifierConnection> connection;
    onDispatcher(factory, [&] {
        auto notifier = service->getMediaDeviceServiceNotifiers()->getPreferredOutputDevicesNotifier();
        connection = notifier->connect([&](bool, DeviceList, DeviceList) { ++announcements; });
    }, "Client::connect");

    auto events = std::make_shared<std::vector<std::shared_ptr<ServiceEvent>>>();
    adapter->StartFeatureSet(MEDIA_DEVICE_FEATURE_SET_TYPE, events);
    const bool settled = StandInHost::drain();
    if (!settled) fail("the module did not settle");  // it is still stopped and destroyed below

    std::size_t speakers = 0;
    onDispatcher(factory, [&] {
        std::cout << "Preferred speakers:\n";
        const DeviceList list = service->getPreferredOutputDevices();
        for (const auto& device : list ? *list : std::vector<std::shared_ptr<MediaDevice>>{}) {
            std::cout << "  " << MirelCoreUtils::toString(device->getName())
                      << (device->getIsPluggedIn() ? "" : " (unplugged)") << "\n";
            ++speakers;
        }
        if (auto live = connection.lock()) live->disconnect();
    }, "Client::read");
    std::cout << "Announcements of the preferred speakers: " << announcements << "\n";

    adapter->StopFeatureSet(MEDIA_DEVICE_FEATURE_SET_TYPE, events);
    adapter->Destroy();
    return settled && speakers > 0 && announcements > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // The module keeps its preferred-device file in the configuration directory.
    const std::filesystem::path configDirectory =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path() / "mediadevice-client";
    std::filesystem::create_directories(configDirectory);
    ::setenv("MIREL_CONFIG_DIR", configDirectory.c_str(), 1);

    auto backend = std::make_shared<olvar::velk::SimulatedBackend>();
    if (!backend->load(olvar::velk::builtInDefaultScenario())) return fail("the simulated devices could not be set up");
    VelkWrapper::Instance()->setBackend(backend);
    auto factory = std::make_shared<UnifiedFactory>();
    StandInHost host(factory, ConfigStore::instance());

    void* module = dlopen(MDS_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    if (!module) return fail(std::string("cannot load ") + MDS_MODULE_PATH + ": " + dlerror());
    auto entry = reinterpret_cast<Entry>(dlsym(module, "InjectMediaDeviceService"));
    if (!entry) return fail("the module has no entry point");
    entry(factory);

    const int status = listPreferredSpeakers(*factory);
    host.shutdown();  // runs what the stop left queued, then the module's objects go
    VelkWrapper::Instance()->setBackend(nullptr);
    dlclose(module);
    return status;
}
