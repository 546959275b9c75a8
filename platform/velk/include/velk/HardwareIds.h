// Hardware ids as both backends give them. Every device gets one, and no id occurs inside
// the id of a device it is not: the module matches ids by containment, and an empty id would
// match every device.
#pragma once

#include <string>

#include "velk/DeviceInfo.h"

namespace olvar::velk {

constexpr int kNoUsbInterface = -1;

// "USB\VID_xxxx&PID_yyyy", then "&MI_zz" when the interface number (0..255) is known and
// "\serial" when a serial is given. Empty unless vendor and product are hexadecimal numbers
// of one to four digits (an "0x" prefix allowed).
OLVAR_API std::string usbHardwareId(const std::string& vendor, const std::string& product,
                                    int interfaceNumber = kNoUsbInterface, const std::string& serial = {});

// "PCI\VEN_xxxx&DEV_yyyy", then "&SUBSYS_ddddvvvv" when both subsystem ids are given. Empty
// unless vendor and device are hexadecimal numbers of one to four digits.
OLVAR_API std::string pciHardwareId(const std::string& vendor, const std::string& device,
                                    const std::string& subsystemVendor = {}, const std::string& subsystemDevice = {});

// "BT\DEV_AABBCCDDEEFF" from an address such as "aa:bb:cc:dd:ee:ff"; empty unless it
// is six hexadecimal bytes.
OLVAR_API std::string bluetoothHardwareId(const std::string& address);

// "<prefix><name>\" for devices without bus ids. The name is escaped so that the id never
// holds a "VID"/"PID" pair (which would compare like a USB product), a '&' (which would cut
// it like an interface suffix) or a '\' (so the closing one ends it): "SRV\ci\" then never
// occurs inside "SRV\ci_speakers\".
OLVAR_API std::string namedHardwareId(const std::string& prefix, const std::string& name);

// The interface number at the end of a USB bus path ("...-usb-0:2:1.3" gives 3), or
// kNoUsbInterface when the path names no USB interface.
OLVAR_API int usbInterfaceFromBusPath(const std::string& busPath);

}  // namespace olvar::velk
