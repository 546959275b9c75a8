#include "module/InjectMediaDeviceService.h"

#include "OlvarUnified/UnifiedFactory.h"
#include "featuresets/adapters/mediaDevice/core/MediaDeviceAdapter.h"
#include "services/impl/MediaDeviceServiceImpl.h"

using namespace OlvarUnified;

void InjectMediaDeviceService(std::shared_ptr<UnifiedFactory> factory) {
    // The service first: the adapter's constructor looks it up.
    auto service = std::make_shared<MediaDeviceServiceImpl>(factory);
    std::shared_ptr<MediaDeviceService> serviceInterface = service;
    factory->registerService(unifiedTypeName<MediaDeviceService>(), static_cast<int>(MEDIA_DEVICE_FEATURE_SET_TYPE),
                             serviceInterface);

    if (factory->getFeatureSet(unifiedTypeName<MediaDeviceFeatureSet>())) return;  // keep the adapter we have

    auto adapter = std::make_shared<MediaDeviceAdapter>(factory);
    std::shared_ptr<FeatureSetAdapter> adapterInterface = adapter;
    auto featureSet = std::dynamic_pointer_cast<MediaDeviceFeatureSet>(adapterInterface);
    factory->registerFeatureSet(unifiedTypeName<MediaDeviceFeatureSet>(), static_cast<int>(MEDIA_DEVICE_FEATURE_SET_TYPE),
                                featureSet);
}
