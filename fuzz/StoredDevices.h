// What the preferred-devices file keeps of each device, gathered from a store for comparison.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "featuresets/adapters/mediaDevice/preferred/MediaDevicePropertyFileConfigStore.h"

namespace fuzzing {

using StoredFields = std::tuple<int, std::string, std::string, std::string, int, std::string, std::string, std::string>;

// The devices of every type as the store last read them; appended to `all` when given.
inline std::vector<StoredFields> storedDevicesOf(OlvarUnified::MediaDevicePropertyFileConfigStore& store,
                                                 OlvarUnified::PreferredMediaDeviceList* all) {
    using namespace OlvarUnified;
    constexpr MediaDeviceTypeEnum::MediaDeviceType kTypes[] = {
        MediaDeviceTypeEnum::SPEAKER, MediaDeviceTypeEnum::RINGER, MediaDeviceTypeEnum::MICROPHONE,
        MediaDeviceTypeEnum::CAMERA};
    std::vector<StoredFields> fields;
    for (auto type : kTypes) {
        const PreferredMediaDeviceList devices = store.getPreferredDeviceList(type);
        for (const auto& device : *devices) {
            fields.emplace_back(device->type, device->hardwareId, device->name, device->selectionId, device->volume,
                                device->deviceInterface, device->friendlyName, device->vendor);
            if (all) (*all)->push_back(device);
        }
    }
    return fields;
}

}  // namespace fuzzing
