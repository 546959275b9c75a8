// Notifier set of a LocalVideoPreviewDimensions: one notifier per property, in table order.
// GENERATED from LocalVideoPreviewDimensionsProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#pragma once

#include <memory>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class MDS_EXPORT LocalVideoPreviewDimensionsNotifiers : public virtual UnifiedBusinessObjectNotifiers {
public:
    virtual std::shared_ptr<PropertyNotifier> getWidthNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getHeightNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getROITopNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getROILeftNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getROIBottomNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getROIRightNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getROIHeightNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getROIWidthNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getWindowHandleNotifier() = 0;
};

}  // namespace OlvarUnified
