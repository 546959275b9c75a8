// The device manager's devices by source: the lists and defaults a device type draws from,
// and the source a device's kind stands for.
#pragma once

#include <optional>

#include "module/DeviceTypeTable.h"
#include "velk/DeviceManager.h"

namespace OlvarUnified::DeviceSources {

// The devices present from that source, fresh from the device manager.
olvar::velk::DeviceInfoList devicesOf(DeviceSourceKind source);
// The device manager's default device of that source; empty when none.
olvar::velk::DeviceInfoPtr defaultDeviceOf(DeviceSourceKind source);
// The source of a device-manager kind; none for a kind the module does not use.
std::optional<DeviceSourceKind> sourceOfKind(int deviceManagerKind);

}  // namespace OlvarUnified::DeviceSources
