// The tables behind AccessoryHardwareId as built when the module loads, for code that checks
// their contents rather than classifying one id.
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "module/MediaDeviceTypes.h"

namespace OlvarUnified::AccessoryHardwareId {

// The classification table, and how many entries its source list gave (keys that are listed
// twice count twice there).
const std::map<std::wstring, AccessoryDeviceTypeEnum::AccessoryDeviceType>& typeByIdTable();
std::size_t typeByIdSourceEntryCount();

}  // namespace OlvarUnified::AccessoryHardwareId
