// The module's entry point, called once by the host after loading the library.
#pragma once

#include <memory>

#include "module/Export.h"

namespace OlvarUnified {
class UnifiedFactory;
}

// Creates and registers the media-device service, then, unless one is registered already,
// the media-device feature-set adapter, both under MEDIA_DEVICE_FEATURE_SET_TYPE.
extern "C" MDS_EXPORT void InjectMediaDeviceService(std::shared_ptr<OlvarUnified::UnifiedFactory> factory);

// The entry's type, for hosts that look it up with dlsym.
using InjectMediaDeviceServiceFunction = void (*)(std::shared_ptr<OlvarUnified::UnifiedFactory>);
