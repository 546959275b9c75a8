// A group of the audio devices (speaker and microphone) of one physical accessory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"
#include "objects/MediaDevice.h"
#include "objects/CompositeMediaDeviceNotifiers.h"
#include "objects/CompositeMediaDeviceObserver.h"

namespace OlvarUnified {

class MDS_EXPORT CompositeMediaDevice : public virtual UnifiedBusinessObject {
public:
    virtual void addObserver(std::weak_ptr<CompositeMediaDeviceObserver> observer) = 0;
    virtual void removeObserver(std::weak_ptr<CompositeMediaDeviceObserver> observer) = 0;
    virtual std::shared_ptr<CompositeMediaDeviceNotifiers> getCompositeMediaDeviceNotifiers() = 0;

    // get<Property>() for each property, in table order.
#define MDS_PROPERTY(Name, Type) virtual Type get##Name() = 0;
#include "objects/CompositeMediaDeviceProperties.def"

    std::string getInterfaceName() override { return "CompositeMediaDevice"; }

    using UnifiedBusinessObject::addObserver;
    using UnifiedBusinessObject::removeObserver;
};

}  // namespace OlvarUnified
