// Observer of a MediaDevice: one change call per property, in table order.
// GENERATED from MediaDeviceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#pragma once

#include <string>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class MDS_EXPORT MediaDeviceObserver : public virtual UnifiedBusinessObjectObserver {
public:
    std::string getInterfaceName() override { return "MediaDeviceObserver"; }

    virtual void OnIsPluggedInChanged() = 0;
    virtual void OnIsSelectedChanged() = 0;
    virtual void OnSelectionIdChanged() = 0;
    virtual void OnHardwareIdChanged() = 0;
    virtual void OnNameChanged() = 0;
    virtual void OnDeviceVolumeChanged() = 0;
    virtual void OnIsPeakInitialisedChanged() = 0;
    virtual void OnDeviceInterfaceChanged() = 0;
    virtual void OnFriendlyNameChanged() = 0;
    virtual void OnInstanceIdChanged() = 0;
    virtual void OnTypeChanged() = 0;
    virtual void OnVendorChanged() = 0;
};

}  // namespace OlvarUnified
