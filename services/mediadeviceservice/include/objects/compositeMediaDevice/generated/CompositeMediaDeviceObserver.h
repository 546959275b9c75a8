// Observer of a CompositeMediaDevice: one change call per property, in table order.
// GENERATED from CompositeMediaDeviceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#pragma once

#include <string>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class MDS_EXPORT CompositeMediaDeviceObserver : public virtual UnifiedBusinessObjectObserver {
public:
    std::string getInterfaceName() override { return "CompositeMediaDeviceObserver"; }

    // A list property's call carries the two lists of its fire.
    virtual void OnMediaDevicesChanged(DeviceList first, DeviceList second) = 0;
    virtual void OnNameChanged() = 0;
    virtual void OnFullNameChanged() = 0;
    virtual void OnCompositeTypeChanged() = 0;
};

}  // namespace OlvarUnified
