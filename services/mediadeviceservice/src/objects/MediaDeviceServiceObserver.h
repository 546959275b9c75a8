// Observer of the MediaDeviceService: one change call per property.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "OlvarUnified/UnifiedService.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class LocalVideoPreviewDimensions;

class MDS_EXPORT MediaDeviceServiceObserver : public virtual UnifiedServiceObserver {
public:
    std::string getInterfaceName() override { return "MediaDeviceServiceObserver"; }

    // On<Property>Changed() for each property, in table order; list properties pass the two
    // lists of the fire (for the preferred lists: the added devices, then the removed ones).
#define MDS_PROPERTY(Name, Type) virtual void On##Name##Changed() = 0;
#define MDS_LIST_PROPERTY(Name) virtual void On##Name##Changed(DeviceList first, DeviceList second) = 0;
#include "objects/MediaDeviceServiceProperties.def"
};

}  // namespace OlvarUnified
