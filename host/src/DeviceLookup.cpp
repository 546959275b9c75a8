#include "DeviceLookup.h"

#include <vector>

#include "MirelCoreUtils/StringUtils.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {
namespace {

using DevicePtr = std::shared_ptr<OlvarUnified::MediaDevice>;

std::string selectionIdOf(const DevicePtr& device) { return MirelCoreUtils::toString(device->getSelectionId()); }

// The preferred list first: it also holds the devices that are not plugged in.
std::vector<DevicePtr> candidates(OlvarUnified::MediaDeviceService& service, MediaDeviceType type) {
    std::vector<DevicePtr> devices;
    for (const auto& list : {service.getPreferredDeviceList(type), service.getAvailableDeviceList(type)}) {
        if (!list) continue;
        for (const auto& device : *list) {
            if (!device) continue;
            bool known = false;
            for (const auto& seen : devices) known = known || selectionIdOf(seen) == selectionIdOf(device);
            if (!known) devices.push_back(device);
        }
    }
    return devices;
}

std::string joinedIds(const std::vector<DevicePtr>& devices) {
    std::string text;
    for (const auto& device : devices) text += (text.empty() ? "" : ", ") + selectionIdOf(device);
    return text.empty() ? "none" : text;
}

}  // namespace

DevicePtr findDevice(OlvarUnified::MediaDeviceService& service, MediaDeviceType type, const std::string& id,
                     std::string& error) {
    const auto devices = candidates(service, type);
    for (const auto& device : devices)
        if (selectionIdOf(device) == id) return device;

    std::vector<DevicePtr> matches;
    for (const auto& device : devices) {
        const std::string name = MirelCoreUtils::toString(device->getName());
        const std::string hardwareId = MirelCoreUtils::toString(device->getHardwareId());
        if (name == id || (!hardwareId.empty() && MirelCoreUtils::caseInsensitiveStringEquals(hardwareId, id)))
            matches.push_back(device);
    }
    if (matches.size() == 1) return matches.front();
    const std::string typeName = deviceTypeName(type);
    if (matches.empty())
        error = "unknown " + typeName + " '" + id + "' (known: " + joinedIds(devices) + ")";
    else
        error = "'" + id + "' names " + std::to_string(matches.size()) + " " + typeName + "s (" + joinedIds(matches) +
                "); give the selection id";
    return nullptr;
}

}  // namespace Host
