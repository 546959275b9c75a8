#include "featuresets/adapters/mediaDevice/preferred/PreferredListRules.h"

#include <algorithm>
#include <map>

#include "MirelCoreUtils/StringUtils.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"

namespace OlvarUnified::PreferredListRules {

using MediaDeviceTypeEnum::MediaDeviceType;
using olvar::velk::DeviceInfoList;

namespace {
const OlvarLoggerHandle& log() { return Loggers::MediaDeviceAdapter; }

// Records are one item when their identifiers are equal, whichever copy holds them.
bool isSameItemIn(const Records& records, const PreferredMediaDeviceImpl& record) {
    return std::any_of(records.begin(), records.end(),
                       [&](const auto& entry) { return entry->uniqueIdentifier == record.uniqueIdentifier; });
}

bool contains(const std::vector<int>& used, int index) {
    return std::find(used.begin(), used.end(), index) != used.end();
}

std::string listText(const Records& list) {
    std::string text;
    for (const auto& record : list) text += "\n" + record->toString();
    return text;
}

void logInputs(const Records& list, const DeviceInfoList& available) {
    if (!OlvarLog_isDebugEnabled(log())) return;
    std::string text = "Available Device Info\n---------------------------";
    for (const auto& device : available)
        if (device)
            text += "\nDevice Name:" + device->getName() + "\nDevice Selection Id:" + device->getSelectionId() +
                    "\nDevice Hardware Id:" + device->getHardwareId();
    MDS_LOG_DEBUG(log(), text);
    MDS_LOG_DEBUG(log(), "\n\nPreferred Device Info\n---------------------------" << listText(list)
                                                                                  << "----------------\n");
}

// Devices of one hardware id that no record took by selection id take the first unplugged
// records of that id, each record at most once.
void pairWithUnpluggedRecords(Records& preferred, const DeviceInfoList& group, std::vector<int>& usedPreferred,
                              std::vector<int>& usedAvailable, MediaDeviceType type, const VolumeLookup& volumeOf,
                              Records& changed) {
    MDS_LOG_DEBUG(log(), "Updated and available are not the same size. updated: " << usedAvailable.size());
    for (int a = 0; a < static_cast<int>(group.size()); ++a) {
        if (contains(usedAvailable, a)) continue;
        for (int p = 0; p < static_cast<int>(preferred.size()); ++p) {
            if (contains(usedPreferred, p) || preferred[p]->isPlugged) continue;
            usedPreferred.push_back(p);
            usedAvailable.push_back(a);
            if (updateRecordFromDevice(*preferred[p], *group[a], type, volumeOf)) changed.push_back(preferred[p]);
            break;
        }
    }
}
}  // namespace

std::string describe(const olvar::velk::DeviceInfoPtr& device) {
    if (!device) return "NULL DeviceInfo";
    return "Name: " + device->getName() + "\nHardwareId: " + device->getHardwareId() +
           "\nSelectionId: " + device->getSelectionId() + "\nDeviceType: " + device->getKindText();
}

bool updateRecordFromDevice(PreferredMediaDeviceImpl& record, const olvar::velk::DeviceInfo& device,
                            MediaDeviceType type, const VolumeLookup& volumeOf) {
    if (record.isPlugged && MirelCoreUtils::caseInsensitiveStringEquals(record.hardwareId, device.getHardwareId()) &&
        record.selectionId == device.getSelectionId() && record.name == device.getName())
        return false;
    MDS_LOG_DEBUG(log(), "Updating Existing device - Before update: " << record.toString());
    const auto* extended = dynamic_cast<const olvar::velk::ExtendedDeviceInfo*>(&device);
    record.isPlugged = true;
    record.hardwareId = device.getHardwareId();
    record.selectionId = device.getSelectionId();
    record.vendor = device.getVendor();
    record.name = device.getName();
    record.friendlyName = extended ? extended->getFriendlyName() : std::string();
    record.deviceInterface = extended ? extended->getDeviceInterface() : std::string();
    record.instanceIdentifier = extended ? extended->getInstanceId() : std::string();
    if (type == MediaDeviceTypeEnum::MICROPHONE && volumeOf) record.volume = volumeOf(record.selectionId);
    MDS_LOG_INFO(log(), "Updating Existing device - After update: " << record.toString());
    return true;
}

bool pairBySelectionId(Records& preferredGroup, const DeviceInfoList& availableGroup, std::vector<int>& usedPreferred,
                       std::vector<int>& usedAvailable, MediaDeviceType type, const VolumeLookup& volumeOf,
                       Records& changed) {
    bool matched = false;
    for (int a = 0; a < static_cast<int>(availableGroup.size()); ++a) {
        for (int p = 0; p < static_cast<int>(preferredGroup.size()); ++p) {
            if (contains(usedPreferred, p)) continue;
            if (preferredGroup[p]->selectionId != availableGroup[a]->getSelectionId()) continue;
            matched = true;
            usedAvailable.push_back(a);
            usedPreferred.push_back(p);
            if (updateRecordFromDevice(*preferredGroup[p], *availableGroup[a], type, volumeOf))
                changed.push_back(preferredGroup[p]);
        }
    }
    return matched;
}

MergeResult merge(Records& list, const DeviceInfoList& available, MediaDeviceType type,
                  MediaDevicePositionEnum::MediaDevicePosition position, const VolumeLookup& volumeOf,
                  bool markAbsentUnplugged) {
    MergeResult result;
    logInputs(list, available);

    // Both sides grouped by upper-case hardware id.
    std::map<std::string, DeviceInfoList> availableGroups;
    for (const auto& device : available)
        if (device) availableGroups[MirelCoreUtils::toUppercase(device->getHardwareId())].push_back(device);
    std::map<std::string, Records> preferredGroups;
    for (const auto& record : list) preferredGroups[MirelCoreUtils::toUppercase(record->hardwareId)].push_back(record);

    Records paired;
    DeviceInfoList newDevices;
    for (auto& [key, group] : availableGroups) {
        auto match = std::find_if(preferredGroups.begin(), preferredGroups.end(), [&key = key](const auto& entry) {
            return MirelCoreUtils::caseInsensitiveStringEquals(entry.first, key);
        });
        if (match == preferredGroups.end()) {
            for (const auto& device : group) {
                MDS_LOG_DEBUG(log(), describe(device));
                newDevices.push_back(device);
            }
            continue;
        }
        Records& preferred = match->second;
        MDS_LOG_DEBUG(log(), "Available devices with hardware id : " << group.size()
                                                                      << " Preferred devices with hardware id : "
                                                                      << preferred.size());
        std::vector<int> usedPreferred, usedAvailable;
        pairBySelectionId(preferred, group, usedPreferred, usedAvailable, type, volumeOf, result.changed);
        if (usedAvailable.size() != group.size())
            pairWithUnpluggedRecords(preferred, group, usedPreferred, usedAvailable, type, volumeOf, result.changed);
        if (usedAvailable.size() != group.size()) {
            MDS_LOG_DEBUG(log(), "Available devices: " << group.size()
                                                       << " preferred updated from available: " << usedAvailable.size());
            MDS_LOG_DEBUG(log(), "Devices not updated to be added to preferred device list");
            for (int a = 0; a < static_cast<int>(group.size()); ++a) {
                if (contains(usedAvailable, a)) continue;
                MDS_LOG_DEBUG(log(), "Index :" << a << describe(group[a]));
                newDevices.push_back(group[a]);
            }
        }
        for (int p : usedPreferred) paired.push_back(preferred[p]);
    }

    // Marked after the pairing, so that records still present are not reported as changed.
    if (markAbsentUnplugged)
        for (const auto& record : list) {
            if (!record->isPlugged || isSameItemIn(paired, *record)) continue;
            record->isPlugged = false;
            result.changed.push_back(record);
        }

    for (const auto& device : newDevices) {
        auto record = std::make_shared<PreferredMediaDeviceImpl>(
            device, type, volumeOf ? volumeOf(device->getSelectionId()) : -1, false, true);
        result.added.push_back(record);
        if (position == MediaDevicePositionEnum::FRONT)
            list.insert(list.begin(), record);
        else
            list.push_back(record);
    }
    return result;
}

DeviceInUse chooseDeviceInUse(const Records& list, const std::string& selectionIdInUse) {
    DeviceInUse choice;
    auto plugged = std::find_if(list.begin(), list.end(), [](const auto& r) { return r && r->isPlugged; });
    if (plugged == list.end()) return choice;
    choice.record = *plugged;
    choice.alreadyInUse = (*plugged)->selectionId == selectionIdInUse;
    return choice;
}

}  // namespace OlvarUnified::PreferredListRules
