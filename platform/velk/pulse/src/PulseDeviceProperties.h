// What the backend makes of a sink's or source's properties: the hardware id in the form
// USB accessory tables recognise, and the further identity fields.
#pragma once

#include <pulse/proplist.h>

#include <string>

#include "velk/DeviceManager.h"

namespace olvar::velk {

// "USB\VID_xxxx&PID_yyyy" (upper-case hex, four digits) from device.vendor.id and
// device.product.id, followed by "\<serial>" when device.serial is set; empty unless both
// ids are hexadecimal numbers of at most four digits.
std::string pulseHardwareId(const pa_proplist* properties);

// kind, name (the description), selection id (the sink or source name), hardware id,
// vendor (device.vendor.name), interface (device.bus), friendly name (description) and
// instance id (device.bus_path).
DeviceInfoPtr makePulseDeviceInfo(int kind, const char* name, const char* description, const pa_proplist* properties);

}  // namespace olvar::velk
