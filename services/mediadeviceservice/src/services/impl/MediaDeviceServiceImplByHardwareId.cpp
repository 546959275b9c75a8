// Choosing devices by hardware id and by accessory class.
#include "featuresets/adapters/mediaDevice/accessories/AccessoryHardwareId.h"
#include "MirelCoreUtils/StringUtils.h"
#include "module/DeviceTypeTable.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "services/impl/MediaDeviceServiceImpl.h"

namespace OlvarUnified {

namespace {
constexpr auto kSelectableByAccessory = DeviceTypeTable::kAccessoryOrder;
constexpr std::size_t kSelectable = kSelectableByAccessory.size();
}

DeviceList MediaDeviceServiceImpl::getAvailableMediaDeviceByHardwareId(MediaDeviceType type, std::wstring hardwareId) {
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl, "MediaDeviceServiceImpl::getAvailableMediaDeviceByHardwareId()");
    auto matches = std::make_shared<std::vector<Device>>();
    // The adapter answers with a fresh list: hold it for the loop.
    auto available = getAvailableDeviceList(type);
    for (const auto& device : *available) {
        if (device && AccessoryHardwareId::compareHardwareId(device->getHardwareId(), hardwareId)) {
            matches->push_back(device);
        }
    }
    return matches;
}

MediaDeviceServiceImpl::Device MediaDeviceServiceImpl::getDeviceByHardwareId(std::wstring hardwareId) {
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl, "MediaDeviceServiceImpl::getDeviceByHardwareId()");
    for (const auto& row : DeviceTypeTable::all()) {
        if (!row.searchedByHardwareId) continue;
        auto matches = getAvailableMediaDeviceByHardwareId(row.type, hardwareId);
        if (!matches->empty()) {
            MDS_LOG_DEBUG(Loggers::MediaDeviceServiceImpl, "Found matching device");
            return matches->front();
        }
    }
    MDS_LOG_ERROR(Loggers::MediaDeviceServiceImpl,
                  "Unable to find device matching hardware ID: " << MirelCoreUtils::toString(hardwareId));
    return nullptr;
}

void MediaDeviceServiceImpl::setCurrentMediaDeviceByHardwareId(std::wstring hardwareId) {
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl, "MediaDeviceServiceImpl::setCurrentMediaDeviceByHardwareId()");
    DeviceList matches[kSelectable];
    for (std::size_t i = 0; i < kSelectable; ++i) matches[i] = getAvailableMediaDeviceByHardwareId(kSelectableByAccessory[i], hardwareId);
    for (std::size_t i = 0; i < kSelectable; ++i) {
        if (!matches[i]->empty()) setCurrentMediaDevice(kSelectableByAccessory[i], matches[i]->front());
    }
}

DeviceList MediaDeviceServiceImpl::getAvailableAccessoriesByType(
    AccessoryDeviceTypeEnum::AccessoryDeviceType accessoryType, MediaDeviceType type) {
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl, "MediaDeviceServiceImpl::getAvailableAccessoriesByType()");
    auto found = std::make_shared<std::vector<Device>>();
    auto available = getAvailableDeviceList(type);
    for (const auto& id : AccessoryHardwareId::getHardwareIdByAccessory(accessoryType)) {
        for (const auto& device : *available) {
            if (device && AccessoryHardwareId::compareHardwareId(device->getHardwareId(), id)) found->push_back(device);
        }
    }
    return found;
}

MediaDeviceServiceImpl::Device MediaDeviceServiceImpl::getPrefferedAccessoryDevice(
    AccessoryDeviceTypeEnum::AccessoryDeviceType accessoryType, MediaDeviceType type) {
    if (getPreferredDeviceList(type)->empty()) return nullptr;
    auto candidates = getAvailableAccessoriesByType(accessoryType, type);
    if (candidates->empty()) return nullptr;
    Device best = candidates->front();
    int bestPosition = getPluggedInPositionInPreferredDeviceList(type, best);
    for (const auto& candidate : *candidates) {
        int position = getPluggedInPositionInPreferredDeviceList(type, candidate);
        if (position < bestPosition) {
            best = candidate;
            bestPosition = position;
        }
    }
    return best;
}

void MediaDeviceServiceImpl::setCurrentMediaDeviceByAccessoryType(
    AccessoryDeviceTypeEnum::AccessoryDeviceType accessoryType) {
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl, "MediaDeviceServiceImpl::setCurrentMediaDeviceByAccessoryType()");
    Device chosen[kSelectable];
    for (std::size_t i = 0; i < kSelectable; ++i) chosen[i] = getPrefferedAccessoryDevice(accessoryType, kSelectableByAccessory[i]);
    for (std::size_t i = 0; i < kSelectable; ++i) {
        if (chosen[i]) setCurrentMediaDevice(kSelectableByAccessory[i], chosen[i]);
    }
}

}  // namespace OlvarUnified
