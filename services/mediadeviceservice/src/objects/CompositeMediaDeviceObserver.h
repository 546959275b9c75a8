// Observer of a CompositeMediaDevice: one change call per property.
#pragma once

#include <cstdint>
#include <string>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class MDS_EXPORT CompositeMediaDeviceObserver : public virtual UnifiedBusinessObjectObserver {
public:
    std::string getInterfaceName() override { return "CompositeMediaDeviceObserver"; }

    // On<Property>Changed() for each property, in table order.
#define MDS_PROPERTY(Name, Type) virtual void On##Name##Changed() = 0;
#define MDS_LIST_PROPERTY(Name) virtual void On##Name##Changed(DeviceList first, DeviceList second) = 0;
#include "objects/CompositeMediaDeviceProperties.def"
};

}  // namespace OlvarUnified
