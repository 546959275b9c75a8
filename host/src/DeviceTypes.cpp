#include "DeviceTypes.h"

#include <algorithm>
#include <cctype>

namespace Host {

std::optional<MediaDeviceType> parseDeviceType(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const auto& entry : kDeviceTypes)
        if (lower == entry.name) return entry.type;
    return std::nullopt;
}

const char* deviceTypeName(MediaDeviceType type) {
    for (const auto& entry : kDeviceTypes)
        if (entry.type == type) return entry.name;
    return "unknown";
}

}  // namespace Host
