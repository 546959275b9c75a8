// Value types shared by the service, the adapter and their clients.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "module/Export.h"

namespace OlvarUnified {

// Declared here with its export so that every template over it is exported too.
class MDS_EXPORT MediaDevice;

namespace MediaDeviceTypeEnum {
enum MediaDeviceType : std::int32_t {
    SPEAKER = 0,     // output lists
    RINGER = 1,      // ringer lists
    MICROPHONE = 2,  // input lists
    CAMERA = 3,      // capture lists
};
}

namespace AccessoryDeviceTypeEnum {
enum AccessoryDeviceType : std::int32_t {
    NOT_AN_ACCESSORY = 0,
    ACCESSORY_CLASS_1 = 1,
    ACCESSORY_CLASS_2 = 2,
    ACCESSORY_CLASS_3 = 3,
};
}

namespace MediaDevicePositionEnum {
enum MediaDevicePosition : std::int32_t {
    FRONT = 0,  // devices new to a pushed list go first
    END = 1,    // any other value: they go last
};
}

struct MediaDeviceSelfViewDimensions {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t roiTop = 0;
    std::int32_t roiLeft = 0;
    std::int32_t roiBottom = 0;
    std::int32_t roiRight = 0;
    std::int32_t roiHeight = 0;
    std::int32_t roiWidth = 0;
};

using DeviceList = std::shared_ptr<std::vector<std::shared_ptr<MediaDevice>>>;

// The feature-set type of the adapter and the registration number of the service.
constexpr unsigned int MEDIA_DEVICE_FEATURE_SET_TYPE = 3100;
// The telephony feature set the adapter depends on while telephony is enabled.
constexpr unsigned int TELEPHONY_FEATURE_SET_TYPE = 2100;

}  // namespace OlvarUnified
