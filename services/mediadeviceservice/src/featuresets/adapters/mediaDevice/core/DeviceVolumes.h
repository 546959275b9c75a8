// Device volumes and the microphone level meter: what the controls report, what the preferred
// lists remember, and the default between them. Callers hold the type's list lock as the
// list's other changes do; nothing here takes a lock of its own.
#pragma once

#include <optional>
#include <string>

#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "featuresets/adapters/mediaDevice/core/VolumeChannels.h"
#include "featuresets/adapters/mediaDevice/preferred/PreferredDeviceLists.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class DeviceVolumes {
public:
    using Type = MediaDeviceTypeEnum::MediaDeviceType;

    DeviceVolumes(VolumeChannels channels, PreferredDeviceLists& lists);


    // -1 when the type has no volume or the control does not know the device.
    int fromControl(Type type, const std::string& selectionId) const;
    // The list's record of the device; -1 when the list does not hold it.
    int fromPreferredList(Type type, const std::string& selectionId);
    // The control's volume, else the list's, else the type's default given a volume control, else -1.
    int deviceVolume(Type type, const std::string& selectionId);
    // As above, except that a type that keeps its stored volume prefers the record's own.
    int deviceVolume(Type type, const PreferredMediaDevicePtr& record);
    // 0 without a volume control; the list's volume when the control does not know the device.
    int speakerDeviceVolume(const std::string& selectionId);

    // Writes the volume through the type's control and, when it took, into the list's record:
    // a copy of the record as changed, null otherwise.
    PreferredMediaDevicePtr setVolume(Type type, const PreferredMediaDeviceImpl& record, int volume);
    // A volume the device manager reports for a plugged-in device of the list; a copy of the
    // record when that changed it.
    PreferredMediaDevicePtr noteVolumeChange(Type type, const std::string& deviceName, int volume);

    // Starts or stops the meter of a listed microphone; a copy of its record when its meter
    // state changed, null when it did not (no control, not listed, already in that state).
    PreferredMediaDevicePtr initialisePeak(const PreferredMediaDevicePtr& device);
    PreferredMediaDevicePtr unInitialisePeak(const PreferredMediaDevicePtr& device);
    // The level of a microphone whose meter runs; none while it does not (0 without a control).
    std::optional<float> peakLevel(const PreferredMediaDeviceImpl& device) const;

private:
    PreferredMediaDevicePtr listedMicrophone(const PreferredMediaDevicePtr& device, bool peakInitialised);
    PreferredMediaDevicePtr markPeakInitialised(const PreferredMediaDeviceImpl& record, bool initialised);

    VolumeChannels m_channels;
    PreferredDeviceLists& m_lists;
};

}  // namespace OlvarUnified
