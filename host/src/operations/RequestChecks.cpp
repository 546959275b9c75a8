#include "RequestChecks.h"

#include "../DeviceTypes.h"

namespace Host {

std::string deviceTypeError(const std::string& type) {
    if (parseDeviceType(type)) return {};
    return "unknown device type '" + type + "' (speaker, microphone, ringer or camera)";
}

std::string volumeError(int volume) {
    if (volume >= 0 && volume <= 100) return {};
    return "volume " + std::to_string(volume) + " not in range 0 to 100";
}

}  // namespace Host
