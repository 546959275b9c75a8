// A copy of what the service publishes per device type, taken on the services dispatcher so
// that it can be printed anywhere, as text or as JSON.
#pragma once

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "DeviceTypes.h"

namespace Host {

struct DeviceEntry {
    std::string name;
    std::string selectionId;
    std::string hardwareId;
    bool pluggedIn = false;
    int volume = -1;
    bool current = false;
};

struct TypeState {
    MediaDeviceType type{};
    std::vector<DeviceEntry> preferred;
    std::vector<DeviceEntry> available;
    std::optional<DeviceEntry> current;
    std::string inUse;  // what the telephony side was told to use; empty: nothing yet
};

// Selection id of the device the telephony side uses for a device type.
using DeviceInUse = std::function<std::string(MediaDeviceType)>;

DeviceEntry describeDevice(OlvarUnified::MediaDevice& device);
// Call on the services dispatcher.
TypeState readTypeState(OlvarUnified::MediaDeviceService& service, MediaDeviceType type, const DeviceInUse& inUse);
std::vector<TypeState> readServiceState(OlvarUnified::MediaDeviceService& service, const DeviceInUse& inUse);

nlohmann::ordered_json toJson(const DeviceEntry& device);
nlohmann::ordered_json toJson(const TypeState& state);
nlohmann::ordered_json toJson(const std::vector<TypeState>& states);

// "Headset Earphone [usb-headset-spk], volume 40" (cameras have no volume).
std::string deviceText(const DeviceEntry& device, MediaDeviceType type);
std::string typeStateText(const TypeState& state);
std::string serviceStateText(const std::vector<TypeState>& states);

}  // namespace Host
