// Size and region of interest of the self-view video, and the preview window it belongs to.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"
#include "objects/localVideoPreviewDimensions/generated/LocalVideoPreviewDimensionsNotifiers.h"
#include "objects/localVideoPreviewDimensions/generated/LocalVideoPreviewDimensionsObserver.h"

namespace OlvarUnified {

class MDS_EXPORT LocalVideoPreviewDimensions : public virtual UnifiedBusinessObject {
public:
    virtual void addObserver(std::weak_ptr<LocalVideoPreviewDimensionsObserver> observer) = 0;
    virtual void removeObserver(std::weak_ptr<LocalVideoPreviewDimensionsObserver> observer) = 0;
    virtual std::shared_ptr<LocalVideoPreviewDimensionsNotifiers> getLocalVideoPreviewDimensionsNotifiers() = 0;

    // Published properties: the getter of each.
    // BEGIN GENERATED from LocalVideoPreviewDimensionsProperties.def, in table order.
    virtual std::int32_t getWidth() = 0;
    virtual std::int32_t getHeight() = 0;
    virtual std::int32_t getROITop() = 0;
    virtual std::int32_t getROILeft() = 0;
    virtual std::int32_t getROIBottom() = 0;
    virtual std::int32_t getROIRight() = 0;
    virtual std::int32_t getROIHeight() = 0;
    virtual std::int32_t getROIWidth() = 0;
    virtual void* getWindowHandle() = 0;
    // END GENERATED

    std::string getInterfaceName() override { return "LocalVideoPreviewDimensions"; }

    using UnifiedBusinessObject::addObserver;
    using UnifiedBusinessObject::removeObserver;
};

}  // namespace OlvarUnified
