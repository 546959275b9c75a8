// Observer of a LocalVideoPreviewDimensions: one change call per property.
#pragma once

#include <cstdint>
#include <string>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class MDS_EXPORT LocalVideoPreviewDimensionsObserver : public virtual UnifiedBusinessObjectObserver {
public:
    std::string getInterfaceName() override { return "LocalVideoPreviewDimensionsObserver"; }

    // On<Property>Changed() for each property, in table order.
#define MDS_PROPERTY(Name, Type) virtual void On##Name##Changed() = 0;
#include "objects/LocalVideoPreviewDimensionsProperties.def"
};

}  // namespace OlvarUnified
