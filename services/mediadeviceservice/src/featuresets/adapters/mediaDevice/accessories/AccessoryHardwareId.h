// Recognises headsets and speakerphones by the USB vendor/product pair inside an endpoint's
// hardware id. The tables are built when the module loads and never change afterwards, so
// every function here may be called from any thread without locking.
#pragma once

#include <string>
#include <vector>

#include "module/MediaDeviceTypes.h"

namespace OlvarUnified::AccessoryHardwareId {

// The class of the first known "VID_xxxx&PID_xxxx" key (in key order) found anywhere in the
// id, letter case ignored; NOT_AN_ACCESSORY when none is found.
AccessoryDeviceTypeEnum::AccessoryDeviceType getAccessoryByHardwareId(const std::wstring& hardwareId);

// The known ids of one accessory class, in listing order and with its repeats; empty for
// NOT_AN_ACCESSORY and for numbers that are not a class.
std::vector<std::wstring> getHardwareIdByAccessory(AccessoryDeviceTypeEnum::AccessoryDeviceType type);

// True when one id contains the other, or when both carry the same vendor/product key, so
// that the endpoints of different interfaces of one USB device are recognised as one device.
bool compareHardwareId(const std::wstring& a, const std::wstring& b);

}  // namespace OlvarUnified::AccessoryHardwareId
