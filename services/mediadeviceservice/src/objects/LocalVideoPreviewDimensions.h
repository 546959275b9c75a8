// Size and region of interest of the self-view video, and the preview window it belongs to.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"
#include "objects/LocalVideoPreviewDimensionsNotifiers.h"
#include "objects/LocalVideoPreviewDimensionsObserver.h"

namespace OlvarUnified {

class MDS_EXPORT LocalVideoPreviewDimensions : public virtual UnifiedBusinessObject {
public:
    virtual void addObserver(std::weak_ptr<LocalVideoPreviewDimensionsObserver> observer) = 0;
    virtual void removeObserver(std::weak_ptr<LocalVideoPreviewDimensionsObserver> observer) = 0;
    virtual std::shared_ptr<LocalVideoPreviewDimensionsNotifiers> getLocalVideoPreviewDimensionsNotifiers() = 0;

    // get<Property>() for each property, in table order.
#define MDS_PROPERTY(Name, Type) virtual Type get##Name() = 0;
#include "objects/LocalVideoPreviewDimensionsProperties.def"

    std::string getInterfaceName() override { return "LocalVideoPreviewDimensions"; }

    using UnifiedBusinessObject::addObserver;
    using UnifiedBusinessObject::removeObserver;
};

}  // namespace OlvarUnified
