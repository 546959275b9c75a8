// Recognises headsets and speakerphones by the USB vendor/product pair inside an endpoint's
// hardware id. The tables are built when the module loads and never change afterwards, so
// every function here may be called from any thread without locking.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified::AccessoryHardwareId {

// The class of the first known "VID_xxxx&PID_xxxx" key (in key order) found anywhere in the
// id, letter case ignored; NOT_AN_ACCESSORY when none is found.
MDS_EXPORT AccessoryDeviceTypeEnum::AccessoryDeviceType getAccessoryByHardwareId(const std::wstring& hardwareId);

// The known ids of one accessory class, in listing order and with its repeats; empty for
// NOT_AN_ACCESSORY and for numbers that are not a class.
MDS_EXPORT std::vector<std::wstring> getHardwareIdByAccessory(AccessoryDeviceTypeEnum::AccessoryDeviceType type);

// True when one id contains the other, or when both carry the same vendor/product key, so
// that the endpoints of different interfaces of one USB device are recognised as one device.
MDS_EXPORT bool compareHardwareId(const std::wstring& a, const std::wstring& b);

namespace Testing {
// The classification table as built, and how many entries its source list gave (keys that
// are listed twice count twice there).
MDS_EXPORT const std::map<std::wstring, AccessoryDeviceTypeEnum::AccessoryDeviceType>& typeByIdTable();
MDS_EXPORT std::size_t typeByIdSourceEntryCount();
}  // namespace Testing

}  // namespace OlvarUnified::AccessoryHardwareId
