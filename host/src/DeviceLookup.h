// Finds the device a command line names among a type's preferred and available devices.
#pragma once

#include <memory>
#include <string>

#include "DeviceTypes.h"

namespace Host {

// The device whose selection id (as `list` prints it) is id; failing that, the one device of
// that type whose hardware id (any letter case) or name is id. Empty, with a one-line reason
// in error, when there is none or several. Call on the services dispatcher.
std::shared_ptr<OlvarUnified::MediaDevice> findDevice(OlvarUnified::MediaDeviceService& service, MediaDeviceType type,
                                                      const std::string& id, std::string& error);

}  // namespace Host
