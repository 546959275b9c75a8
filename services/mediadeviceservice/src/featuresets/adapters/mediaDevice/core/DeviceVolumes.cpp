#include "featuresets/adapters/mediaDevice/core/DeviceVolumes.h"

#include "module/DeviceTypeTable.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"

namespace OlvarUnified {

using MediaDeviceTypeEnum::MediaDeviceType;

namespace {
const OlvarLoggerHandle& log() { return Loggers::MediaDeviceAdapter; }
constexpr auto kMicrophone = MediaDeviceTypeEnum::MICROPHONE;
}  // namespace

DeviceVolumes::DeviceVolumes(VolumeChannels channels, PreferredDeviceLists& lists)
    : m_channels(std::move(channels)), m_lists(lists) {}

int DeviceVolumes::fromControl(Type type, const std::string& selectionId) const {
    const DeviceTypeInfo* row = DeviceTypeTable::find(type);
    return row ? m_channels.read(row->volume, selectionId) : -1;
}

int DeviceVolumes::fromPreferredList(Type type, const std::string& selectionId) {
    // The services dispatcher reads here while the worker changes records: a copy, taken under the lock.
    const auto record = m_lists.findRecord(
        type, [&](const PreferredMediaDeviceImpl& entry) { return entry.selectionId == selectionId; });
    return record ? record->volume : -1;
}

int DeviceVolumes::deviceVolume(Type type, const std::string& selectionId) {
    int volume = fromControl(type, selectionId);
    if (volume != -1) return volume;
    volume = fromPreferredList(type, selectionId);
    if (volume != -1) return volume;
    return m_channels.volumeControl() ? DeviceTypeTable::listOwner(type).defaultVolume : -1;
}

int DeviceVolumes::deviceVolume(Type type, const PreferredMediaDevicePtr& record) {
    if (!record) return -1;
    const DeviceTypeInfo* row = DeviceTypeTable::find(type);
    if (row && row->keepsStoredVolume && record->volume != -1) return record->volume;
    return deviceVolume(type, record->selectionId);
}

int DeviceVolumes::speakerDeviceVolume(const std::string& selectionId) {
    auto control = m_channels.volumeControl();
    if (!control) return 0;
    const int volume = control->getSpeakerVolume(selectionId);
    if (volume != -1) return volume;
    return fromPreferredList(MediaDeviceTypeEnum::SPEAKER, selectionId);
}

PreferredMediaDevicePtr DeviceVolumes::setVolume(Type type, const PreferredMediaDeviceImpl& record, int volume) {
    const DeviceTypeInfo* row = DeviceTypeTable::find(type);
    if (!row || !m_channels.write(row->volume, record.selectionId, volume)) return nullptr;
    return m_lists.updateRecord(type, record.uniqueIdentifier, [volume](auto& entry) {
        entry.volume = volume;
        return true;
    });
}

PreferredMediaDevicePtr DeviceVolumes::noteVolumeChange(Type type, const std::string& deviceName, int volume) {
    return m_lists.updateFirst(
        type,
        [&](const PreferredMediaDeviceImpl& record) {
            return record.selectionId == deviceName && record.isPlugged && record.volume != volume;
        },
        [volume](PreferredMediaDeviceImpl& record) {
            record.volume = volume;
            return true;
        });
}

PreferredMediaDevicePtr DeviceVolumes::initialisePeak(const PreferredMediaDevicePtr& device) {
    auto control = m_channels.volumeControl();
    const auto record = listedMicrophone(device, false);
    if (!control || !record) return nullptr;
    if (record->selectionId.empty()) {
        MDS_LOG_DEBUG(log(), "MediaDeviceAdapter::initialisePeakImpl. Unable to call initializePeak() "
                             "with NULL selection ID.\n");
        return nullptr;
    }
    MDS_LOG_TRACE(log(), "MediaDeviceAdapter::initialisePeakImpl starting VolumeControl::initializePeak() ");
    const bool started = control->initializePeak(record->selectionId);
    MDS_LOG_TRACE(log(), "MediaDeviceAdapter::initialisePeakImpl finished VolumeControl::initializePeak()\n");
    return started ? markPeakInitialised(*record, true) : nullptr;
}

PreferredMediaDevicePtr DeviceVolumes::unInitialisePeak(const PreferredMediaDevicePtr& device) {
    auto control = m_channels.volumeControl();
    const auto record = listedMicrophone(device, true);
    if (!control || !record) return nullptr;
    MDS_LOG_TRACE(log(), "MediaDeviceAdapter::unInitialisePeakImpl starting VolumeControl::unInitializePeak() \n");
    control->unInitializePeak(record->selectionId);
    MDS_LOG_TRACE(log(), "MediaDeviceAdapter::unInitialisePeakImpl finished VolumeControl::unInitializePeak()\n");
    return markPeakInitialised(*record, false);
}

std::optional<float> DeviceVolumes::peakLevel(const PreferredMediaDeviceImpl& device) const {
    auto control = m_channels.volumeControl();
    if (!control) return 0.0f;
    if (device.isPeakInitialised) return control->getPeakLevel(device.selectionId);
    return std::nullopt;
}

// A copy of the microphone list's record of the device whose meter is in the given state.
PreferredMediaDevicePtr DeviceVolumes::listedMicrophone(const PreferredMediaDevicePtr& device, bool peakInitialised) {
    if (!device) return nullptr;
    return m_lists.findRecord(kMicrophone, [&](const PreferredMediaDeviceImpl& record) {
        return record.uniqueIdentifier == device->uniqueIdentifier && record.isPeakInitialised == peakInitialised;
    });
}

PreferredMediaDevicePtr DeviceVolumes::markPeakInitialised(const PreferredMediaDeviceImpl& record, bool initialised) {
    return m_lists.updateRecord(kMicrophone, record.uniqueIdentifier, [initialised](auto& entry) {
        entry.isPeakInitialised = initialised;
        return true;
    });
}

}  // namespace OlvarUnified
