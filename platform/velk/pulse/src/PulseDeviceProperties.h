// What the backend makes of a sink's or source's properties: the hardware id in the form
// USB accessory tables recognise, and the further identity fields.
#pragma once

#include <pulse/proplist.h>

#include <string>

#include "velk/DeviceManager.h"

namespace olvar::velk {

// Never empty. By device.bus: USB ids ("USB\VID_xxxx&PID_yyyy", "&MI_zz" from the interface
// at the end of device.bus_path, "\<device.serial>") when device.vendor.id and
// device.product.id are hexadecimal, on the USB bus or when no bus is named; PCI ids on the
// PCI bus; an id from the address on Bluetooth. Any other device, virtual ones included, gets
// one derived from its server name, which the server keeps across restarts.
std::string pulseHardwareId(const std::string& serverName, const pa_proplist* properties);

// kind, name (the description), selection id (the sink or source name), hardware id,
// vendor (device.vendor.name), interface (device.bus), friendly name (description) and
// instance id (device.bus_path).
DeviceInfoPtr makePulseDeviceInfo(int kind, const char* name, const char* description, const pa_proplist* properties);

}  // namespace olvar::velk
