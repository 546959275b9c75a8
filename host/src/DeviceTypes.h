// The device types as the command line names them: speaker, microphone, ringer, camera.
#pragma once

#include <optional>
#include <string>

#include "module/MediaDeviceTypes.h"

// What the host's headers name without needing the whole object.
namespace OlvarUnified {
class MediaDevice;
class MediaDeviceService;
}  // namespace OlvarUnified

namespace Host {

using OlvarUnified::MediaDeviceTypeEnum::MediaDeviceType;

struct DeviceTypeName {
    MediaDeviceType type;
    const char* name;   // on the command line and in JSON
    const char* title;  // heading of the text output
};

// In the order the host prints them.
inline constexpr DeviceTypeName kDeviceTypes[] = {
    {OlvarUnified::MediaDeviceTypeEnum::SPEAKER, "speaker", "Speakers"},
    {OlvarUnified::MediaDeviceTypeEnum::MICROPHONE, "microphone", "Microphones"},
    {OlvarUnified::MediaDeviceTypeEnum::RINGER, "ringer", "Ringers"},
    {OlvarUnified::MediaDeviceTypeEnum::CAMERA, "camera", "Cameras"},
};

// Case-insensitive; empty for anything but the four names.
std::optional<MediaDeviceType> parseDeviceType(const std::string& text);
const char* deviceTypeName(MediaDeviceType type);

}  // namespace Host
