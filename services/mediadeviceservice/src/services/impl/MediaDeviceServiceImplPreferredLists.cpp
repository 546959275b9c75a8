// Merging the adapter's pushes into the published preferred lists, and the list requests.
#include <algorithm>

#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "module/MediaDeviceFeatureSet.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "services/impl/DevicePropertyCopy.h"
#include "services/impl/MediaDeviceServiceImpl.h"
#include "services/impl/ServiceTypeSlots.h"

namespace OlvarUnified {

using namespace DevicePropertyCopy;

namespace {
bool sameDevice(const std::shared_ptr<MediaDevice>& a, const std::shared_ptr<MediaDevice>& b) {
    return a && b && a->getUniqueIdentifier() == b->getUniqueIdentifier();
}
}  // namespace

DeviceList MediaDeviceServiceImpl::getPreferredDeviceList(MediaDeviceType type) {
    return (this->*listSlotOf(type).preferredList)();
}

DeviceList MediaDeviceServiceImpl::getItemsNotInList(DeviceList reference, DeviceList candidates) {
    auto result = std::make_shared<std::vector<Device>>();
    if (!reference || !candidates) return result;
    for (const auto& candidate : *candidates) {
        bool listed = std::any_of(reference->begin(), reference->end(),
                                  [&](const Device& item) { return sameDevice(item, candidate); });
        if (!listed) result->push_back(candidate);
    }
    return result;
}

void MediaDeviceServiceImpl::setPreferredDeviceList(MediaDeviceType type, DeviceList devices,
                                                    MediaDevicePositionEnum::MediaDevicePosition position) {
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl, "MediaDeviceServiceImpl::setPreferredDeviceList()");
    if (!devices) {
        // The adapter always pushes a vector; an empty pointer carries no list to merge.
        MDS_LOG_WARNING(Loggers::MediaDeviceServiceImpl, "ignoring a push without a device list");
        return;
    }
    auto old = getPreferredDeviceList(type);
    auto added = getItemsNotInList(old, devices);
    auto removed = getItemsNotInList(devices, old);
    addNewItemsToPreferredDeviceList(type, added, position);
    removeItemsFromPreferredDeviceList(type, removed);
    sortPreferredDeviceList(type, devices);
    setIsCurrentDeviceAvailableIfNeeded(type);
    setCurrentDeviceProperties(type);
    firePreferredDeviceListSet(type, added, removed);
}

void MediaDeviceServiceImpl::addNewItemsToPreferredDeviceList(MediaDeviceType type, DeviceList added,
                                                              MediaDevicePositionEnum::MediaDevicePosition position) {
    auto& stored = *getPreferredDeviceList(type);
    for (const auto& device : *added) {
        if (position == MediaDevicePositionEnum::FRONT) {
            stored.insert(stored.begin(), device);
        } else {
            stored.push_back(device);
        }
    }
}

void MediaDeviceServiceImpl::removeItemsFromPreferredDeviceList(MediaDeviceType type, DeviceList removed) {
    auto& stored = *getPreferredDeviceList(type);
    for (const auto& device : *removed) {
        stored.erase(std::remove(stored.begin(), stored.end(), device), stored.end());
    }
}

// Swaps each pushed device into its pushed position. A push that repeats an identifier can
// point past the stored list's end; such indices are skipped.
void MediaDeviceServiceImpl::sortPreferredDeviceList(MediaDeviceType type, DeviceList devices) {
    auto& stored = *getPreferredDeviceList(type);
    for (std::size_t i = 0; i < devices->size(); ++i) {
        for (std::size_t j = 0; j < stored.size(); ++j) {
            if (!sameDevice(stored[j], (*devices)[i])) continue;
            if (j != i && i < stored.size()) std::swap(stored[i], stored[j]);
            break;
        }
    }
}

void MediaDeviceServiceImpl::firePreferredDeviceListSet(MediaDeviceType type, DeviceList added, DeviceList removed) {
    if (const TypeSlot* slot = slotOf(type)) (this->*slot->firePreferredChanged)(added, removed);
}

void MediaDeviceServiceImpl::updatePreferredDevice(MediaDeviceType type, Device device) {
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl, "MediaDeviceServiceImpl::updatePreferredDevice()");
    if (!device) return;
    for (const auto& element : *getPreferredDeviceList(type)) {
        auto* e = asImpl(element);
        if (!e || e->getUniqueIdentifier() != device->getUniqueIdentifier()) continue;
        MDS_LOG_DEBUG(Loggers::MediaDeviceServiceImpl,
                      "oldDeviceValues: " << e->toString() << "\nupdatedValues: " << device->toString());
        copy(*e, MDS_DEVICE_PROPERTY(Name), device->getName());
        copy(*e, MDS_DEVICE_PROPERTY(Vendor), device->getVendor());
        copy(*e, MDS_DEVICE_PROPERTY(HardwareId), device->getHardwareId(), IgnoringCase{});
        copy(*e, MDS_DEVICE_PROPERTY(SelectionId), device->getSelectionId());
        copy(*e, MDS_DEVICE_PROPERTY(IsPluggedIn), device->getIsPluggedIn());
        copy(*e, MDS_DEVICE_PROPERTY(DeviceVolume), device->getDeviceVolume());
        copy(*e, MDS_DEVICE_PROPERTY(IsPeakInitialised), device->getIsPeakInitialised());
        copy(*e, MDS_DEVICE_PROPERTY(DeviceInterface), device->getDeviceInterface());
        copy(*e, MDS_DEVICE_PROPERTY(FriendlyName), device->getFriendlyName());
        copy(*e, MDS_DEVICE_PROPERTY_SILENT(InstanceId), device->getInstanceId());
        copy(*e, MDS_DEVICE_PROPERTY(Type), device->getType());
        if (e->getIsSelected()) {
            setCurrentDeviceProperties(type);
            setIsCurrentDeviceAvailableIfNeeded(type);
        }
    }
}

int MediaDeviceServiceImpl::getPluggedInPositionInPreferredDeviceList(MediaDeviceType type, Device device) {
    int position = 0;
    for (const auto& element : *getPreferredDeviceList(type)) {
        if (sameDevice(element, device)) return position;
        if (element && element->getIsPluggedIn()) ++position;
    }
    return -1;
}

void MediaDeviceServiceImpl::modifyPreferredDeviceList(MediaDeviceType type, DeviceList first, DeviceList second) {
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl, "MediaDeviceServiceImpl::modifyPreferredDeviceList()");
    auto features = featureSet();
    if (!features) return;
    auto records = [type](const DeviceList& devices) {
        auto list = std::make_shared<std::vector<PreferredMediaDevicePtr>>();
        if (!devices) return list;
        for (const auto& device : *devices) {
            if (device) list->push_back(std::make_shared<PreferredMediaDeviceImpl>(device, type));
        }
        return list;
    };
    features->modifyPreferredDeviceList(type, records(first), records(second));
}

bool MediaDeviceServiceImpl::persistPreferredPreferredDeviceList() {
    auto features = featureSet();
    return features ? features->persistPreferredDeviceList() : false;
}

}  // namespace OlvarUnified
