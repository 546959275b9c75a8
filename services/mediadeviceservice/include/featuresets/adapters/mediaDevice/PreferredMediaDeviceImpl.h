// The adapter's record of one device in a preferred-device list.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace olvar::velk {
class DeviceInfo;
}

namespace OlvarUnified {

class MDS_EXPORT PreferredMediaDeviceImpl {
public:
    // Stored fields, as the properties store reads them. Takes the next identifier.
    PreferredMediaDeviceImpl(std::string name, std::string hardwareId, std::string selectionId,
                             MediaDeviceTypeEnum::MediaDeviceType type, std::int32_t volume,
                             std::string deviceInterface, std::string friendlyName, std::string instanceIdentifier,
                             std::string vendor);
    // A device the device manager reports. Takes the next identifier.
    PreferredMediaDeviceImpl(const std::shared_ptr<olvar::velk::DeviceInfo>& device,
                             MediaDeviceTypeEnum::MediaDeviceType type, std::int32_t volume, bool isSelectedIn,
                             bool isPlugged);
    // A published device handed back by the service: keeps the device's identifier, so it
    // is the same item as the record the device was published from.
    PreferredMediaDeviceImpl(const std::shared_ptr<MediaDevice>& device, MediaDeviceTypeEnum::MediaDeviceType type);

    std::string toString() const;

    std::string name;
    std::string hardwareId;
    std::string selectionId;
    std::string deviceInterface;
    std::string friendlyName;
    std::string instanceIdentifier;
    std::string vendor;
    MediaDeviceTypeEnum::MediaDeviceType type;
    std::int32_t volume;
    bool isPlugged = false;
    bool isSelectedIn = false;
    std::int32_t uniqueIdentifier;
    bool isPeakInitialised = false;
};

using PreferredMediaDevicePtr = std::shared_ptr<PreferredMediaDeviceImpl>;
using PreferredMediaDeviceList = std::shared_ptr<std::vector<PreferredMediaDevicePtr>>;

}  // namespace OlvarUnified
