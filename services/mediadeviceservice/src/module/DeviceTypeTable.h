// What sets the four device types apart, one row each: the service and the adapter ask here
// instead of spelling the types out. Header-only: constant data, read on every thread.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "module/MediaDeviceTypes.h"
#include "velk/DeviceInfo.h"

namespace OlvarUnified {

// Where a type's volume is read and written.
enum class VolumeKind : std::uint8_t {
    SpeakerVolume,  // the device manager's volume control, per device
    InputGain,      // the same control's input gain, per device
    RingerVolume,   // the telephony side's ringer volume, one for all ringers
    None,           // no volume applies
};

struct DeviceTypeInfo {
    MediaDeviceTypeEnum::MediaDeviceType type;
    std::string_view name;                // "speaker", ...
    std::size_t listSlot;                 // index of the type's preferred list and its lock
    std::string_view fileWord;            // key prefix in the properties file: "Speaker-ID-0", ...
    int deviceKind;                       // the device manager's kind it draws from (DEVICE_KIND_*)
    int accessoryKind;                    // the device kind as the accessories side numbers it
    VolumeKind volume;
    bool keepsStoredVolume;               // a record's own volume wins over the control's
    int defaultVolume;                    // for a device whose volume nobody knows, given a volume control
    bool searchedByHardwareId;            // the ringer is not: it shares its hardware with the speaker
};

class DeviceTypeTable {
public:
    using Type = MediaDeviceTypeEnum::MediaDeviceType;

    // The row of a type; null for any value but the four types.
    static constexpr const DeviceTypeInfo* find(Type type);
    // The row whose preferred list and lock serve the type: an unknown value means the speaker's.
    static constexpr const DeviceTypeInfo& listOwner(Type type);
    static constexpr std::size_t listSlot(Type type) { return listOwner(type).listSlot; }
    // Every row, in the order of the enumeration's values.
    static constexpr std::span<const DeviceTypeInfo> all();
    // The types whose lists a device of that device-manager kind can appear in (a playback
    // device serves speaker and ringer); none for a kind the module does not use.
    static std::vector<Type> servedBy(int deviceKind);

    // Orders the module's behaviour depends on; each is used wherever that order matters.
    // Lists are built and published at start in this order, so the service's notifications follow it.
    static constexpr std::array<Type, 4> kStartOrder{MediaDeviceTypeEnum::SPEAKER, MediaDeviceTypeEnum::MICROPHONE,
                                                     MediaDeviceTypeEnum::RINGER, MediaDeviceTypeEnum::CAMERA};
    // The groups of the properties file, in the order they are written.
    static constexpr std::array<Type, 4> kFileOrder{MediaDeviceTypeEnum::SPEAKER, MediaDeviceTypeEnum::MICROPHONE,
                                                    MediaDeviceTypeEnum::CAMERA, MediaDeviceTypeEnum::RINGER};
    // The types an accessory's devices are made current for, in this order (the ringer keeps its own).
    static constexpr std::array<Type, 3> kAccessoryOrder{MediaDeviceTypeEnum::MICROPHONE, MediaDeviceTypeEnum::SPEAKER,
                                                         MediaDeviceTypeEnum::CAMERA};

private:
    // Rows at the index of their type's value, which is also their list slot.
    static constexpr std::array<DeviceTypeInfo, 4> kRows{{
        {MediaDeviceTypeEnum::SPEAKER, "speaker", 0, "Speaker", olvar::velk::DEVICE_KIND_PLAYBACK, 1,
         VolumeKind::SpeakerVolume, true, 50, true},
        {MediaDeviceTypeEnum::RINGER, "ringer", 1, "Ringer", olvar::velk::DEVICE_KIND_PLAYBACK, 2,
         VolumeKind::RingerVolume, true, 50, false},
        {MediaDeviceTypeEnum::MICROPHONE, "microphone", 2, "Microphone", olvar::velk::DEVICE_KIND_RECORDING, 3,
         VolumeKind::InputGain, false, 50, true},
        // A camera has no volume, yet its records carry the default one like any other.
        {MediaDeviceTypeEnum::CAMERA, "camera", 3, "Camera", olvar::velk::DEVICE_KIND_CAPTURE, 0, VolumeKind::None,
         false, 50, true},
    }};
};

// The one rule for a value outside the four types: whatever is stored per type (a preferred
// list and its lock) is the speaker's, so such a request reads and changes the speaker's list
// as it always has; every other per-type step finds no row and does nothing.
constexpr const DeviceTypeInfo* DeviceTypeTable::find(Type type) {
    const auto index = static_cast<std::size_t>(type);
    return type >= 0 && index < kRows.size() ? &kRows[index] : nullptr;
}

constexpr const DeviceTypeInfo& DeviceTypeTable::listOwner(Type type) {
    const DeviceTypeInfo* row = find(type);
    return row ? *row : kRows[MediaDeviceTypeEnum::SPEAKER];
}

constexpr std::span<const DeviceTypeInfo> DeviceTypeTable::all() { return kRows; }

inline std::vector<DeviceTypeTable::Type> DeviceTypeTable::servedBy(int deviceKind) {
    std::vector<Type> types;
    for (const auto& row : kRows)
        if (row.deviceKind == deviceKind) types.push_back(row.type);
    return types;
}

static_assert([] {
    for (std::size_t i = 0; i < DeviceTypeTable::all().size(); ++i)
        if (DeviceTypeTable::all()[i].type != static_cast<int>(i) || DeviceTypeTable::all()[i].listSlot != i)
            return false;
    return true;
}(), "rows sit at their type's value and list slot");

}  // namespace OlvarUnified
