// A group of the audio devices (speaker and microphone) of one physical accessory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"
#include "objects/compositeMediaDevice/generated/CompositeMediaDeviceNotifiers.h"
#include "objects/compositeMediaDevice/generated/CompositeMediaDeviceObserver.h"
#include "objects/mediaDevice/MediaDevice.h"

namespace OlvarUnified {

class MDS_EXPORT CompositeMediaDevice : public virtual UnifiedBusinessObject {
public:
    virtual void addObserver(std::weak_ptr<CompositeMediaDeviceObserver> observer) = 0;
    virtual void removeObserver(std::weak_ptr<CompositeMediaDeviceObserver> observer) = 0;
    virtual std::shared_ptr<CompositeMediaDeviceNotifiers> getCompositeMediaDeviceNotifiers() = 0;

    // Published properties: the getter of each.
    // BEGIN GENERATED from CompositeMediaDeviceProperties.def, in table order.
    virtual DeviceList getMediaDevices() = 0;
    virtual std::wstring getName() = 0;
    virtual std::wstring getFullName() = 0;
    virtual AccessoryDeviceTypeEnum::AccessoryDeviceType getCompositeType() = 0;
    // END GENERATED

    std::string getInterfaceName() override { return "CompositeMediaDevice"; }

    using UnifiedBusinessObject::addObserver;
    using UnifiedBusinessObject::removeObserver;
};

}  // namespace OlvarUnified
