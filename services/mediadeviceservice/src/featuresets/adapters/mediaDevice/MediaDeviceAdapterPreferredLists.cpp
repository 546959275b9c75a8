// The preferred-device list engine: building each type's list at start from the properties
// file and the devices present, applying the service's reorders, publishing and persisting.
#include <algorithm>
#include <map>

#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/ConfigFeatureSet.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "featuresets/adapters/mediaDevice/MediaDeviceAdapter.h"
#include "featuresets/adapters/mediaDevice/MediaDevicePropertyFileConfigStore.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "objects/MediaDeviceImpl.h"
#include "services/impl/MediaDeviceServiceImpl.h"
#include "velk/VelkWrapper.h"

namespace OlvarUnified {

using MediaDevicePositionEnum::MediaDevicePosition;
using MediaDeviceTypeEnum::MediaDeviceType;
using olvar::velk::DeviceInfoList;
using olvar::velk::DeviceInfoPtr;

namespace {
const OlvarLoggerHandle& log() { return Loggers::MediaDeviceAdapter; }

bool contains(const std::vector<int>& used, int index) {
    return std::find(used.begin(), used.end(), index) != used.end();
}

std::string listText(const std::vector<PreferredMediaDevicePtr>& list) {
    std::string text;
    for (const auto& record : list) text += "\n" + record->toString();
    return text;
}
}  // namespace

void MediaDeviceAdapter::initialisePreferredDeviceListFromConfig(MediaDeviceType type) {
    MDS_LOG_TRACE(log(), "initialisePreferredDeviceListFromConfig for device type: " << static_cast<int>(type));
    PreferredMediaDeviceList list =
        m_mediaDevicePropertyFileConfigStorePtr ? m_mediaDevicePropertyFileConfigStorePtr->getPreferredDeviceList(type)
                                                : nullptr;
    {
        olvar::MutexGuard guard(getMutex(type));
        getPreferredDeviceList(type) = list;
    }
    if (!list) return;

    for (auto& record : *list) record->volume = getDeviceVolume(type, record);

    if (list->empty()) {
        MDS_LOG_DEBUG(log(), "No preferred device list selecting VELK default device");
        if (auto device = getDefaultDevice(type)) {
            const int volume = getDeviceVolume(type, device->getSelectionId());
            list->push_back(std::make_shared<PreferredMediaDeviceImpl>(device, type, volume, false, true));
            MDS_LOG_INFO(log(), "DefaultDevice: " << getDeviceInfoString(device) << "\nVolume: " << volume);
        }
    }

    DeviceInfoList available;
    getAvailableDeviceInfo(type, available);

    std::wstring preference;
    GetPrioritizeNewAudioDeviceConfigValue(preference);
    const auto position = preference == L"PreferNewDevice" ? MediaDevicePositionEnum::FRONT : MediaDevicePositionEnum::END;

    updatePreferredFromAvailable(type, position, available);
    setMediaDeviceServicePreferredDeviceList(type, MediaDevicePositionEnum::END);
    setCurrentDeviceFromPreferredDeviceList(type);
}

PreferredMediaDeviceList MediaDeviceAdapter::updatePreferredFromAvailable(MediaDeviceType type,
                                                                          MediaDevicePosition position,
                                                                          DeviceInfoList& available) {
    auto added = std::make_shared<std::vector<PreferredMediaDevicePtr>>();
    PreferredMediaDeviceList list = getPreferredDeviceList(type);
    if (!list) return added;

    if (OlvarLog_isDebugEnabled(log())) {
        std::string text = "Available Device Info\n---------------------------";
        for (const auto& device : available)
            text += "\nDevice Name:" + device->getName() + "\nDevice Selection Id:" + device->getSelectionId() +
                    "\nDevice Hardware Id:" + device->getHardwareId();
        MDS_LOG_DEBUG(log(), text);
        MDS_LOG_DEBUG(log(), "\n\nPreferred Device Info\n---------------------------" << listText(*list)
                                                                                      << "----------------\n");
    }

    // Both sides grouped by upper-case hardware id.
    std::map<std::string, DeviceInfoList> availableGroups;
    for (const auto& device : available)
        if (device) availableGroups[MirelCoreUtils::toUppercase(device->getHardwareId())].push_back(device);
    std::map<std::string, std::vector<PreferredMediaDevicePtr>> preferredGroups;
    for (const auto& record : *list) preferredGroups[MirelCoreUtils::toUppercase(record->hardwareId)].push_back(record);

    DeviceInfoList newDevices;
    for (auto& [key, group] : availableGroups) {
        auto match = std::find_if(preferredGroups.begin(), preferredGroups.end(), [&key = key](const auto& entry) {
            return MirelCoreUtils::caseInsensitiveStringEquals(entry.first, key);
        });
        if (match == preferredGroups.end()) {
            for (const auto& device : group) {
                MDS_LOG_DEBUG(log(), getDeviceInfoString(device));
                newDevices.push_back(device);
            }
            continue;
        }
        auto& preferred = match->second;
        MDS_LOG_DEBUG(log(), "Available devices with hardware id : " << group.size()
                                                                      << " Preferred devices with hardware id : "
                                                                      << preferred.size());
        std::vector<int> usedPreferred, usedAvailable;
        updatePreferredListWhereSelectionIdMatches(preferred, group, usedPreferred, usedAvailable, type);

        if (usedAvailable.size() != group.size()) {
            MDS_LOG_DEBUG(log(), "Updated and available are not the same size. updated: " << usedAvailable.size());
            for (int a = 0; a < static_cast<int>(group.size()); ++a) {
                if (contains(usedAvailable, a)) continue;
                for (int p = 0; p < static_cast<int>(preferred.size()); ++p) {
                    if (contains(usedPreferred, p) || preferred[p]->isPlugged) continue;
                    usedPreferred.push_back(p);
                    usedAvailable.push_back(a);
                    if (updatePreferredDevice(preferred[p], group[a], type))
                        updateServicesPreferredDevice(type, preferred[p]);
                    break;
                }
            }
        }
        if (usedAvailable.size() != group.size()) {
            MDS_LOG_DEBUG(log(), "Available devices: " << group.size()
                                                       << " preferred updated from available: " << usedAvailable.size());
            MDS_LOG_DEBUG(log(), "Devices not updated to be added to preferred device list");
            for (int a = 0; a < static_cast<int>(group.size()); ++a) {
                if (contains(usedAvailable, a)) continue;
                MDS_LOG_DEBUG(log(), "Index :" << a << getDeviceInfoString(group[a]));
                newDevices.push_back(group[a]);
            }
        }
    }

    for (const auto& device : newDevices) {
        auto record = std::make_shared<PreferredMediaDeviceImpl>(device, type,
                                                                 getDeviceVolume(type, device->getSelectionId()), false, true);
        added->push_back(record);
        olvar::MutexGuard guard(getMutex(type));
        if (position == MediaDevicePositionEnum::FRONT)
            list->insert(list->begin(), record);
        else
            list->push_back(record);
    }
    if (!added->empty()) persistPreferredDeviceListImpl();
    return added;
}

bool MediaDeviceAdapter::updatePreferredListWhereSelectionIdMatches(std::vector<PreferredMediaDevicePtr>& preferredGroup,
                                                                    DeviceInfoList& availableGroup,
                                                                    std::vector<int>& usedPreferred,
                                                                    std::vector<int>& usedAvailable,
                                                                    MediaDeviceType type) {
    bool matched = false;
    for (int a = 0; a < static_cast<int>(availableGroup.size()); ++a) {
        for (int p = 0; p < static_cast<int>(preferredGroup.size()); ++p) {
            if (contains(usedPreferred, p)) continue;
            if (preferredGroup[p]->selectionId != availableGroup[a]->getSelectionId()) continue;
            matched = true;
            usedAvailable.push_back(a);
            usedPreferred.push_back(p);
            if (updatePreferredDevice(preferredGroup[p], availableGroup[a], type))
                updateServicesPreferredDevice(type, preferredGroup[p]);
        }
    }
    return matched;
}

bool MediaDeviceAdapter::updatePreferredDevice(PreferredMediaDevicePtr record, DeviceInfoPtr device,
                                               MediaDeviceType type) {
    if (!record || !device) return false;
    if (record->isPlugged && MirelCoreUtils::caseInsensitiveStringEquals(record->hardwareId, device->getHardwareId()) &&
        record->selectionId == device->getSelectionId() && record->name == device->getName())
        return false;
    MDS_LOG_DEBUG(log(), "Updating Existing device - Before update: " << record->toString());
    const auto* extended = dynamic_cast<const olvar::velk::ExtendedDeviceInfo*>(device.get());
    record->isPlugged = true;
    record->hardwareId = device->getHardwareId();
    record->selectionId = device->getSelectionId();
    record->vendor = device->getVendor();
    record->name = device->getName();
    record->friendlyName = extended ? extended->getFriendlyName() : std::string();
    record->deviceInterface = extended ? extended->getDeviceInterface() : std::string();
    record->instanceIdentifier = extended ? extended->getInstanceId() : std::string();
    if (type == MediaDeviceTypeEnum::MICROPHONE) record->volume = getDeviceVolume(type, record->selectionId);
    MDS_LOG_INFO(log(), "Updating Existing device - After update: " << record->toString());
    return true;
}

bool MediaDeviceAdapter::setCurrentDeviceFromPreferredDeviceList(MediaDeviceType type) {
    olvar::MutexGuard guard(getMutex(type));
    MDS_LOG_TRACE(log(), "Entering MediaDeviceAdapter::setCurrentDeviceFromPreferredDeviceList()");
    PreferredMediaDeviceList list = getPreferredDeviceList(type);
    if (list) {
        const std::string current = getCurrentSelectionId(type);
        auto plugged = std::find_if(list->begin(), list->end(), [](const auto& r) { return r->isPlugged; });
        if (plugged == list->end()) {
            setCurrentMediaDeviceImpl(type, nullptr);
        } else if ((*plugged)->selectionId != current) {
            setCurrentMediaDeviceImpl(type, *plugged);
            setMediaDeviceVolumeImpl(type, *plugged, (*plugged)->volume);
        }
    }
    MDS_LOG_TRACE(log(), "Exiting MediaDeviceAdapter::setCurrentDeviceFromPreferredDeviceList()");
    return true;
}

void MediaDeviceAdapter::setMediaDeviceServicePreferredDeviceList(MediaDeviceType type, MediaDevicePosition position) {
    auto devices = std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>();
    std::string text;
    {
        olvar::MutexGuard guard(getMutex(type));
        PreferredMediaDeviceList list = getPreferredDeviceList(type);
        if (list)
            for (const auto& record : *list) {
                devices->push_back(std::make_shared<MediaDeviceImpl>(m_pUnifiedFactory, *record));
                text += "\n" + record->toString();
            }
    }
    MDS_LOG_DEBUG(log(), "Setting Services preferred list with: " << text);
    postToService([type, devices, position](
                      MediaDeviceServiceImpl& service) { service.setPreferredDeviceList(type, devices, position); },
                  "Calling MediaDeviceServiceImpl::setPreferredDeviceList from MediaDeviceAdapter");
}

void MediaDeviceAdapter::updateServicesPreferredDevice(MediaDeviceType type, PreferredMediaDevicePtr record) {
    if (!record) return;
    std::shared_ptr<MediaDevice> device = std::make_shared<MediaDeviceImpl>(m_pUnifiedFactory, *record);
    postToService([type, device](MediaDeviceServiceImpl& service) { service.updatePreferredDevice(type, device); },
                  "Calling MediaDeviceServiceImpl::updatePreferredDevice from MediaDeviceAdapter");
}

void MediaDeviceAdapter::modifyPreferredDeviceList(MediaDeviceType type, PreferredMediaDeviceList orderedList,
                                                   PreferredMediaDeviceList otherList) {
    postToWorker([this, type, orderedList, otherList] { modifyPreferredDeviceListImpl(type, orderedList, otherList); },
                 "MediaDeviceAdapter::modifyPreferredDeviceListImpl");
}

void MediaDeviceAdapter::modifyPreferredDeviceListImpl(MediaDeviceType type, PreferredMediaDeviceList orderedList,
                                                       PreferredMediaDeviceList otherList) {
    MDS_LOG_TRACE(log(), "MediaDeviceAdapter::modifyPreferredDeviceList()");
    olvar::MutexGuard guard(getMutex(type));
    PreferredMediaDeviceList& current = getPreferredDeviceList(type);
    auto result = std::make_shared<std::vector<PreferredMediaDevicePtr>>();
    if (orderedList)
        for (const auto& record : *orderedList)
            if (preferredDeviceListContainsItem(current, record)) result->push_back(record);
    // Records the client did not mention keep their old relative order, ahead of the rest.
    // The first record is never examined here: the client's lists always carry the device
    // it shows first.
    if (current)
        for (std::size_t i = current->size(); i-- > 1;) {
            const auto& record = (*current)[i];
            if (!preferredDeviceListContainsItem(otherList, record) && !preferredDeviceListContainsItem(orderedList, record))
                result->insert(result->begin(), record);
        }
    current = result;
    setCurrentDeviceFromPreferredDeviceList(type);
    setMediaDeviceServicePreferredDeviceList(type, MediaDevicePositionEnum::FRONT);
}

bool MediaDeviceAdapter::preferredDeviceListContainsItem(const PreferredMediaDeviceList& list,
                                                         const PreferredMediaDevicePtr& record) {
    if (!list || !record) return false;
    return std::any_of(list->begin(), list->end(),
                       [&](const auto& entry) { return entry && entry->uniqueIdentifier == record->uniqueIdentifier; });
}

bool MediaDeviceAdapter::persistPreferredDeviceList() {
    postToWorker([this] { persistPreferredDeviceListImpl(); }, "MediaDeviceAdapter::persistPreferredDeviceListImpl");
    return true;
}

bool MediaDeviceAdapter::persistPreferredDeviceListImpl() {
    auto config = std::dynamic_pointer_cast<ConfigService>(
        ServiceFactory::getInstance()->getService(unifiedTypeName<ConfigService>()));
    if (config) {
        auto value = config->getConfig(L"Tellux_SDK_Mode");
        if (value && value->isPresent() && MirelCoreUtils::toBool(value->getValue())) return true;
    }
    if (!m_mediaDevicePropertyFileConfigStorePtr) return true;
    const unsigned version = m_preferredListsVersion;
    if (version == 0) {
        MDS_LOG_DEBUG(log(), "preferred lists not built from the file: nothing persisted");
        return true;
    }
    if (version % 2 == 1) {
        m_persistAfterBuild = true;
        return true;
    }
    auto all = std::make_shared<std::vector<PreferredMediaDevicePtr>>();
    for (auto type : {MediaDeviceTypeEnum::SPEAKER, MediaDeviceTypeEnum::MICROPHONE, MediaDeviceTypeEnum::CAMERA,
                      MediaDeviceTypeEnum::RINGER}) {
        olvar::MutexGuard guard(getMutex(type));
        if (const auto& list = getPreferredDeviceList(type)) all->insert(all->end(), list->begin(), list->end());
    }
    // A rebuild or a reset since the copy began makes it stale; the rebuild persists for itself.
    olvar::MutexGuard fileGuard(MediaDevicePropertyFileConfigStore::storeFileLock);
    if (m_preferredListsVersion != version) return true;
    m_mediaDevicePropertyFileConfigStorePtr->writeToFile(all);
    return true;
}

void MediaDeviceAdapter::getAvailableDeviceInfo(MediaDeviceType type, DeviceInfoList& out) {
    auto wrapper = VelkWrapper::Instance();
    switch (type) {
        case MediaDeviceTypeEnum::SPEAKER:
        case MediaDeviceTypeEnum::RINGER: out = wrapper->GetPlaybackDevices(); break;
        case MediaDeviceTypeEnum::MICROPHONE: out = wrapper->GetRecordingDevices(); break;
        case MediaDeviceTypeEnum::CAMERA: out = wrapper->GetCaptureDevices(); break;
        default: out.clear(); break;
    }
}

DeviceList MediaDeviceAdapter::getPluginDevice(MediaDeviceType type) {
    auto devices = std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>();
    DeviceInfoList available;
    getAvailableDeviceInfo(type, available);
    for (const auto& info : available) {
        if (!info) continue;
        const PreferredMediaDeviceImpl record(info, type, getDeviceVolume(type, info->getSelectionId()), false, true);
        devices->push_back(std::make_shared<MediaDeviceImpl>(m_pUnifiedFactory, record));
    }
    return devices;
}

DeviceInfoPtr MediaDeviceAdapter::getDefaultDevice(MediaDeviceType type) {
    auto wrapper = VelkWrapper::Instance();
    switch (type) {
        case MediaDeviceTypeEnum::SPEAKER:
        case MediaDeviceTypeEnum::RINGER: return wrapper->GetDefaultPlaybackDevice();
        case MediaDeviceTypeEnum::MICROPHONE: return wrapper->GetDefaultRecordingDevice();
        case MediaDeviceTypeEnum::CAMERA: return wrapper->GetDefaultCaptureDevice();
        default: return nullptr;
    }
}

std::string MediaDeviceAdapter::getDeviceInfoString(const DeviceInfoPtr& device) {
    if (!device) return "NULL DeviceInfo";
    return "Name: " + device->getName() + "\nHardwareId: " + device->getHardwareId() +
           "\nSelectionId: " + device->getSelectionId() + "\nDeviceType: " + device->getKindText();
}

}  // namespace OlvarUnified
