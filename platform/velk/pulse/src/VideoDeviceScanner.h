// Cameras as the kernel lists them in its video4linux class folder: one entry "videoN"
// per device node, with a "name" file and a "device" link to the USB interface, whose
// parent holds idVendor and idProduct. Drivers add further nodes for metadata; only the
// node with index 0 (or without an index file) of each device is a camera.
#pragma once

#include <string>

#include "velk/DeviceManager.h"

namespace olvar::velk {

// Sorted by node name. Selection id "/dev/videoN"; name from the name file (the node name
// when missing); hardware id "USB\VID_xxxx&PID_yyyy&MI_nn" for USB cameras (without
// "&MI_nn" when the interface number is unknown), empty for others.
DeviceInfoList scanVideoDevices(const std::string& classRoot);

}  // namespace olvar::velk
