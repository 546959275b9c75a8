// One audio or video device as the service publishes it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"
#include "objects/mediaDevice/generated/MediaDeviceNotifiers.h"
#include "objects/mediaDevice/generated/MediaDeviceObserver.h"

namespace OlvarUnified {

class MDS_EXPORT MediaDevice : public virtual UnifiedBusinessObject {
public:
    virtual void addObserver(std::weak_ptr<MediaDeviceObserver> observer) = 0;
    virtual void removeObserver(std::weak_ptr<MediaDeviceObserver> observer) = 0;
    virtual std::shared_ptr<MediaDeviceNotifiers> getMediaDeviceNotifiers() = 0;

    // Published properties: the getter of each.
    // BEGIN GENERATED from MediaDeviceProperties.def, in table order.
    virtual bool getIsPluggedIn() = 0;
    virtual bool getIsSelected() = 0;
    virtual std::wstring getSelectionId() = 0;
    virtual std::wstring getHardwareId() = 0;
    virtual std::wstring getName() = 0;
    virtual std::int32_t getDeviceVolume() = 0;
    virtual bool getIsPeakInitialised() = 0;
    virtual std::wstring getDeviceInterface() = 0;
    virtual std::wstring getFriendlyName() = 0;
    virtual std::wstring getInstanceId() = 0;
    virtual MediaDeviceTypeEnum::MediaDeviceType getType() = 0;
    virtual std::wstring getVendor() = 0;
    // END GENERATED

    // The identity shared with the adapter's record the device was published from.
    virtual std::int32_t getUniqueIdentifier() = 0;
    // Multi-line rendering for log messages.
    virtual std::wstring toWString() = 0;

    std::string getInterfaceName() override { return "MediaDevice"; }

    using UnifiedBusinessObject::addObserver;
    using UnifiedBusinessObject::removeObserver;
};

}  // namespace OlvarUnified
