// The least a host does to run the module: a device manager, the factory handed to the
// entry point, feature set 3100 started, the service read on the services dispatcher.
#include <dlfcn.h>

#include <iostream>

#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/ConfigStore.h"
#include "OlvarUnified/FeatureSet.h"
#include "OlvarUnified/ServicesDispatcher.h"
#include "OlvarUnified/StandInHost.h"
#include "OlvarUnified/Task.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"
#include "velk/SimulatedBackend.h"

using namespace OlvarUnified;

int main(int argc, char** argv) {
    if (argc != 2) return 2;  // the module file, e.g. build/lib/libmediadeviceservice.so
    auto devices = std::make_shared<olvar::velk::SimulatedBackend>();
    devices->load(olvar::velk::builtInDefaultScenario());
    VelkWrapper::Instance()->setBackend(devices);
    auto factory = std::make_shared<UnifiedFactory>();  // owns the services dispatcher thread
    StandInHost host(factory, ConfigStore::instance());  // configuration, system, telephony

    void* module = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    using Entry = void (*)(std::shared_ptr<UnifiedFactory>);
    auto inject = module ? reinterpret_cast<Entry>(dlsym(module, "InjectMediaDeviceService")) : nullptr;
    if (!inject) return 1;
    inject(factory);  // registers the service and the feature-set adapter

    const unsigned type = MEDIA_DEVICE_FEATURE_SET_TYPE;  // 3100
    auto adapter = std::dynamic_pointer_cast<FeatureSetAdapter>(factory->getFeatureSet(type));
    auto service = std::dynamic_pointer_cast<MediaDeviceService>(factory->getService(type));
    auto events = std::make_shared<std::vector<std::shared_ptr<ServiceEvent>>>();
    adapter->StartFeatureSet(type, events);
    StandInHost::drain();  // the start goes on on the module's background worker

    // The service is read and changed on the services dispatcher only.
    factory->getServicesDispatcher()->enqueueBlock(std::make_shared<FunctionTask>(
        [&] {
            if (auto speaker = service->getCurrentSpeaker())
                std::cout << "Speaker in use: " << MirelCoreUtils::toString(speaker->getName()) << "\n";
        },
        "Example::read"));

    adapter->StopFeatureSet(type, events);  // keeps the preferred lists in the file
    adapter->Destroy();
    adapter.reset();
    service.reset();
    host.shutdown();  // runs what the stop left queued, then the module's objects go
    VelkWrapper::Instance()->setBackend(nullptr);
    dlclose(module);
    return 0;
}
