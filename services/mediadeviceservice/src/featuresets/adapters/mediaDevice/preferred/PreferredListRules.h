// The rules of a preferred-device list, free of threads and of the host: merging a list with
// the devices present and finding the device to use. The adapter applies them under the
// type's lock and publishes what they report.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "module/MediaDeviceTypes.h"
#include "velk/DeviceManager.h"

namespace OlvarUnified::PreferredListRules {

using Records = std::vector<PreferredMediaDevicePtr>;
// Volume (or gain) of a device by selection id; -1 when unknown.
using VolumeLookup = std::function<int(const std::string& selectionId)>;

struct MergeResult {
    Records added;    // records made for devices new to the list, in the order collected
    Records changed;  // records already listed whose values changed
};

// Makes the record describe the device, as plugged in. False, leaving it alone, when it
// already did. Only a microphone record takes the device's volume (its gain).
bool updateRecordFromDevice(PreferredMediaDeviceImpl& record, const olvar::velk::DeviceInfo& device,
                                       MediaDeviceTypeEnum::MediaDeviceType type, const VolumeLookup& volumeOf);

// Pairs devices and records of one hardware id by equal selection id; fills the used
// positions of both sides and reports the records that changed. True if anything paired.
bool pairBySelectionId(Records& preferredGroup, const olvar::velk::DeviceInfoList& availableGroup,
                                  std::vector<int>& usedPreferred, std::vector<int>& usedAvailable,
                                  MediaDeviceTypeEnum::MediaDeviceType type, const VolumeLookup& volumeOf,
                                  Records& changed);

// Merges the devices present into the list: by hardware id (letter case aside), then by
// selection id, then the first unplugged record of that hardware id; what is left is new and
// goes to the front (FRONT) or the end. With markAbsentUnplugged, a plugged record that no
// present device paired with is marked unplugged and reported as changed.
MergeResult merge(Records& list, const olvar::velk::DeviceInfoList& available,
                             MediaDeviceTypeEnum::MediaDeviceType type,
                             MediaDevicePositionEnum::MediaDevicePosition position, const VolumeLookup& volumeOf,
                             bool markAbsentUnplugged);

struct DeviceInUse {
    PreferredMediaDevicePtr record;  // the first plugged-in record; empty when none is
    bool alreadyInUse = false;       // its selection id is the one in use now
};
DeviceInUse chooseDeviceInUse(const Records& list, const std::string& selectionIdInUse);

// Log text of a device-manager device.
std::string describe(const olvar::velk::DeviceInfoPtr& device);

}  // namespace OlvarUnified::PreferredListRules
