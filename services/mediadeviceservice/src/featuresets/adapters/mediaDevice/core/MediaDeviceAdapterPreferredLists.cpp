// The preferred-device list engine: building each type's list at start from the properties
// file and the devices present, applying the service's reorders, publishing and persisting.
#include <algorithm>

#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/ConfigFeatureSet.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "featuresets/adapters/mediaDevice/core/MediaDeviceAdapter.h"
#include "featuresets/adapters/mediaDevice/preferred/MediaDevicePropertyFileConfigStore.h"
#include "featuresets/adapters/mediaDevice/preferred/PreferredListRules.h"
#include "module/ModuleLog.h"
#include "module/DeviceTypeTable.h"
#include "module/ModuleStatics.h"
#include "velk/VelkWrapper.h"
#include "objects/mediaDevice/MediaDeviceImpl.h"
#include "services/impl/MediaDeviceServiceImpl.h"

namespace OlvarUnified {

using MediaDevicePositionEnum::MediaDevicePosition;
using MediaDeviceTypeEnum::MediaDeviceType;
using olvar::velk::DeviceInfoList;
using olvar::velk::DeviceInfoPtr;

namespace {
const OlvarLoggerHandle& log() { return Loggers::MediaDeviceAdapter; }
}  // namespace

void MediaDeviceAdapter::initialisePreferredDeviceListFromConfig(MediaDeviceType type) {
    MDS_LOG_TRACE(log(), "initialisePreferredDeviceListFromConfig for device type: " << static_cast<int>(type));
    const PreferredMediaDeviceList stored =
        m_mediaDevicePropertyFileConfigStorePtr ? m_mediaDevicePropertyFileConfigStorePtr->getPreferredDeviceList(type)
                                                : nullptr;
    m_preferredLists.replace(type, stored);
    // Under the type's lock from here: the services dispatcher reads volumes of this list
    // meanwhile. The volume look-ups may read the list again on this thread.
    const bool listed = m_preferredLists.apply(type, [&](PreferredDeviceLists::Records& records) {
        for (auto& record : records) record->volume = getDeviceVolume(type, record);
        if (!records.empty()) return;
        MDS_LOG_DEBUG(log(), "No preferred device list selecting VELK default device");
        if (auto device = getDefaultDevice(type)) {
            const int volume = getDeviceVolume(type, device->getSelectionId());
            records.push_back(std::make_shared<PreferredMediaDeviceImpl>(device, type, volume, false, true));
            MDS_LOG_INFO(log(), "DefaultDevice: " << getDeviceInfoString(device) << "\nVolume: " << volume);
        }
    });
    if (!listed) return;

    DeviceInfoList available;
    getAvailableDeviceInfo(type, available);

    updatePreferredFromAvailable(type, newDevicePosition(), available);
    setMediaDeviceServicePreferredDeviceList(type, MediaDevicePositionEnum::END);
    setCurrentDeviceFromPreferredDeviceList(type);
}

PreferredMediaDeviceList MediaDeviceAdapter::updatePreferredFromAvailable(MediaDeviceType type,
                                                                          MediaDevicePosition position,
                                                                          DeviceInfoList& available) {
    return mergeWithDevices(type, position, available, false);
}

PreferredMediaDeviceList MediaDeviceAdapter::mergeWithDevices(MediaDeviceType type, MediaDevicePosition position,
                                                              const DeviceInfoList& available,
                                                              bool markAbsentUnplugged) {
    auto added = std::make_shared<std::vector<PreferredMediaDevicePtr>>();
    // The whole merge under the type's lock; only copies of what it added leave it.
    m_preferredLists.apply(type, [&](PreferredDeviceLists::Records& records) {
        auto result = PreferredListRules::merge(records, available, type, position, volumeLookup(type),
                                                markAbsentUnplugged);
        for (const auto& record : result.changed) updateServicesPreferredDevice(type, record);
        for (const auto& record : result.added) added->push_back(PreferredDeviceLists::copyOf(record));
    });
    // Outside the type's lock: persisting takes every type's lock in turn.
    if (!added->empty()) persistPreferredDeviceListImpl();
    return added;
}

// Beyond the start, plug and unplug keep the lists and the device in use current: the
// type's list is merged again with the devices present (records whose device is gone are
// marked unplugged), published, and its first plugged-in device is put in use.
void MediaDeviceAdapter::refreshPreferredDeviceList(MediaDeviceType type) {
    // An event queued before a stop must not rewrite the file the stop just wrote.
    if (!m_featureSetStarted) return;
    DeviceInfoList available;
    getAvailableDeviceInfo(type, available);
    const auto position = newDevicePosition();
    if (!m_preferredLists.hasList(type)) return;  // not started
    mergeWithDevices(type, position, available, true);
    setMediaDeviceServicePreferredDeviceList(type, MediaDevicePositionEnum::END);
    setCurrentDeviceFromPreferredDeviceList(type);
}

// "HeadsetPreference" decides where devices new to a list go.
MediaDevicePosition MediaDeviceAdapter::newDevicePosition() {
    std::wstring preference;
    GetPrioritizeNewAudioDeviceConfigValue(preference);
    return preference == L"PreferNewDevice" ? MediaDevicePositionEnum::FRONT : MediaDevicePositionEnum::END;
}

PreferredListRules::VolumeLookup MediaDeviceAdapter::volumeLookup(MediaDeviceType type) {
    return [this, type](const std::string& selectionId) { return getDeviceVolume(type, selectionId); };
}

bool MediaDeviceAdapter::updatePreferredListWhereSelectionIdMatches(std::vector<PreferredMediaDevicePtr>& preferredGroup,
                                                                    DeviceInfoList& availableGroup,
                                                                    std::vector<int>& usedPreferred,
                                                                    std::vector<int>& usedAvailable,
                                                                    MediaDeviceType type) {
    PreferredListRules::Records changed;
    const bool matched = PreferredListRules::pairBySelectionId(preferredGroup, availableGroup, usedPreferred,
                                                               usedAvailable, type, volumeLookup(type), changed);
    for (const auto& record : changed) updateServicesPreferredDevice(type, record);
    return matched;
}

bool MediaDeviceAdapter::updatePreferredDevice(PreferredMediaDevicePtr record, DeviceInfoPtr device,
                                               MediaDeviceType type) {
    if (!record || !device) return false;
    return PreferredListRules::updateRecordFromDevice(*record, *device, type, volumeLookup(type));
}

bool MediaDeviceAdapter::setCurrentDeviceFromPreferredDeviceList(MediaDeviceType type) {
    // Held throughout, so that the choice and the switch see one version of the list; the
    // records chosen from are copies, changed in the list by identifier.
    olvar::MutexGuard guard(m_preferredLists.mutex(type));
    MDS_LOG_TRACE(log(), "Entering MediaDeviceAdapter::setCurrentDeviceFromPreferredDeviceList()");
    const PreferredMediaDeviceList list = m_preferredLists.snapshot(type);
    if (list) {
        const auto choice = PreferredListRules::chooseDeviceInUse(*list, getCurrentSelectionId(type));
        if (!choice.record) {
            setCurrentMediaDeviceImpl(type, nullptr);
            m_link.postDeviceSelected(type, nullptr);
        } else if (choice.alreadyInUse) {
            m_link.postDeviceSelected(type, choice.record);
        } else {
            setCurrentMediaDeviceImpl(type, choice.record);
            setMediaDeviceVolumeImpl(type, choice.record, choice.record->volume);
        }
    }
    MDS_LOG_TRACE(log(), "Exiting MediaDeviceAdapter::setCurrentDeviceFromPreferredDeviceList()");
    return true;
}

void MediaDeviceAdapter::setMediaDeviceServicePreferredDeviceList(MediaDeviceType type, MediaDevicePosition position) {
    m_link.postPreferredList(type, m_preferredLists.snapshot(type), position);
}

void MediaDeviceAdapter::updateServicesPreferredDevice(MediaDeviceType type, PreferredMediaDevicePtr record) {
    if (record) m_link.postPreferredDevice(type, *record);
}

void MediaDeviceAdapter::modifyPreferredDeviceList(MediaDeviceType type, PreferredMediaDeviceList orderedList,
                                                   PreferredMediaDeviceList otherList) {
    postToWorker([this, type, orderedList, otherList] { modifyPreferredDeviceListImpl(type, orderedList, otherList); },
                 "MediaDeviceAdapter::modifyPreferredDeviceListImpl");
}

void MediaDeviceAdapter::modifyPreferredDeviceListImpl(MediaDeviceType type, PreferredMediaDeviceList orderedList,
                                                       PreferredMediaDeviceList otherList) {
    MDS_LOG_TRACE(log(), "MediaDeviceAdapter::modifyPreferredDeviceList()");
    olvar::MutexGuard guard(m_preferredLists.mutex(type));
    const PreferredMediaDeviceList current = m_preferredLists.snapshot(type);
    auto result = std::make_shared<std::vector<PreferredMediaDevicePtr>>();
    // The caller's records are taken (the service's view of their flags), as given: the
    // service builds the ordered list from its own, so it names each device once. What is
    // stored is a copy, so the caller keeps nothing that the list holds.
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
    m_preferredLists.replace(type, result);
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
    for (auto type : DeviceTypeTable::kFileOrder)
        if (const auto list = m_preferredLists.snapshot(type)) all->insert(all->end(), list->begin(), list->end());
    // A rebuild or a reset since the copy began makes it stale; the rebuild persists for itself.
    olvar::MutexGuard fileGuard(MediaDevicePropertyFileConfigStore::storeFileLock);
    if (m_preferredListsVersion != version) return true;
    m_mediaDevicePropertyFileConfigStorePtr->writeToFile(all);
    return true;
}

void MediaDeviceAdapter::getAvailableDeviceInfo(MediaDeviceType type, DeviceInfoList& out) {
    const DeviceTypeInfo* row = DeviceTypeTable::find(type);
    if (row)
        out = VelkWrapper::Instance()->GetDevices(row->deviceKind);
    else
        out.clear();
}

DeviceList MediaDeviceAdapter::getPluginDevice(MediaDeviceType type) {
    auto devices = std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>();
    DeviceInfoList available;
    getAvailableDeviceInfo(type, available);
    for (const auto& info : available) {
        if (!info) continue;
        const PreferredMediaDeviceImpl record(info, type, getDeviceVolume(type, info->getSelectionId()), false, true);
        devices->push_back(std::make_shared<MediaDeviceImpl>(m_link.factory(), record));
    }
    return devices;
}

DeviceInfoPtr MediaDeviceAdapter::getDefaultDevice(MediaDeviceType type) {
    const DeviceTypeInfo* row = DeviceTypeTable::find(type);
    return row ? VelkWrapper::Instance()->GetDefaultDevice(row->deviceKind) : nullptr;
}

std::string MediaDeviceAdapter::getDeviceInfoString(const DeviceInfoPtr& device) {
    return PreferredListRules::describe(device);
}

}  // namespace OlvarUnified
