// Notifier set of a MediaDevice: one notifier per property, in table order.
// GENERATED from MediaDeviceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#pragma once

#include <memory>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class MDS_EXPORT MediaDeviceNotifiers : public virtual UnifiedBusinessObjectNotifiers {
public:
    virtual std::shared_ptr<PropertyNotifier> getIsPluggedInNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getIsSelectedNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getSelectionIdNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getHardwareIdNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getNameNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getDeviceVolumeNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getIsPeakInitialisedNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getDeviceInterfaceNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getFriendlyNameNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getInstanceIdNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getTypeNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getVendorNotifier() = 0;
};

}  // namespace OlvarUnified
