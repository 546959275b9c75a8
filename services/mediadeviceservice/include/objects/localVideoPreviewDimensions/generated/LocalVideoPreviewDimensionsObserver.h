// Observer of a LocalVideoPreviewDimensions: one change call per property, in table order.
// GENERATED from LocalVideoPreviewDimensionsProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#pragma once

#include <string>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class MDS_EXPORT LocalVideoPreviewDimensionsObserver : public virtual UnifiedBusinessObjectObserver {
public:
    std::string getInterfaceName() override { return "LocalVideoPreviewDimensionsObserver"; }

    virtual void OnWidthChanged() = 0;
    virtual void OnHeightChanged() = 0;
    virtual void OnROITopChanged() = 0;
    virtual void OnROILeftChanged() = 0;
    virtual void OnROIBottomChanged() = 0;
    virtual void OnROIRightChanged() = 0;
    virtual void OnROIHeightChanged() = 0;
    virtual void OnROIWidthChanged() = 0;
    virtual void OnWindowHandleChanged() = 0;
};

}  // namespace OlvarUnified
