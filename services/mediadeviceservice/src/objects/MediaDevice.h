// One audio or video device as the service publishes it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"
#include "objects/MediaDeviceNotifiers.h"
#include "objects/MediaDeviceObserver.h"

namespace OlvarUnified {

class MDS_EXPORT MediaDevice : public virtual UnifiedBusinessObject {
public:
    virtual void addObserver(std::weak_ptr<MediaDeviceObserver> observer) = 0;
    virtual void removeObserver(std::weak_ptr<MediaDeviceObserver> observer) = 0;
    virtual std::shared_ptr<MediaDeviceNotifiers> getMediaDeviceNotifiers() = 0;

    // get<Property>() for each property, in table order.
#define MDS_PROPERTY(Name, Type) virtual Type get##Name() = 0;
#include "objects/MediaDeviceProperties.def"

    // The identity shared with the adapter's record the device was published from.
    virtual std::int32_t getUniqueIdentifier() = 0;
    // Multi-line rendering for log messages.
    virtual std::wstring toWString() = 0;

    std::string getInterfaceName() override { return "MediaDevice"; }

    using UnifiedBusinessObject::addObserver;
    using UnifiedBusinessObject::removeObserver;
};

}  // namespace OlvarUnified
