#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"

#include <atomic>

#include "MirelCoreUtils/StringUtils.h"
#include "objects/mediaDevice/MediaDevice.h"
#include "velk/DeviceInfo.h"

namespace OlvarUnified {

namespace {

// Identities of the records made from stored or reported devices, module-wide. Records are
// made on the background worker and on the services dispatcher.
std::atomic<std::int32_t> nextUniqueIdentifier{0};

std::int32_t takeUniqueIdentifier() { return nextUniqueIdentifier.fetch_add(1); }

}  // namespace

PreferredMediaDeviceImpl::PreferredMediaDeviceImpl(std::string name, std::string hardwareId, std::string selectionId,
                                                   MediaDeviceTypeEnum::MediaDeviceType type, std::int32_t volume,
                                                   std::string deviceInterface, std::string friendlyName,
                                                   std::string instanceIdentifier, std::string vendor)
    : name(std::move(name)),
      hardwareId(std::move(hardwareId)),
      selectionId(std::move(selectionId)),
      deviceInterface(std::move(deviceInterface)),
      friendlyName(std::move(friendlyName)),
      instanceIdentifier(std::move(instanceIdentifier)),
      vendor(std::move(vendor)),
      type(type),
      volume(volume),
      uniqueIdentifier(takeUniqueIdentifier()) {}

PreferredMediaDeviceImpl::PreferredMediaDeviceImpl(const std::shared_ptr<olvar::velk::DeviceInfo>& device,
                                                   MediaDeviceTypeEnum::MediaDeviceType type, std::int32_t volume,
                                                   bool isSelectedIn, bool isPlugged)
    : type(type), volume(volume), isPlugged(isPlugged), isSelectedIn(isSelectedIn),
      uniqueIdentifier(takeUniqueIdentifier()) {
    if (!device) return;  // nothing reported: an empty record that still is an item of its own
    name = device->getName();
    hardwareId = device->getHardwareId();
    selectionId = device->getSelectionId();
    vendor = device->getVendor();
    if (auto extended = std::dynamic_pointer_cast<olvar::velk::ExtendedDeviceInfo>(device)) {
        deviceInterface = extended->getDeviceInterface();
        friendlyName = extended->getFriendlyName();
        instanceIdentifier = extended->getInstanceId();
    }
}

PreferredMediaDeviceImpl::PreferredMediaDeviceImpl(const std::shared_ptr<MediaDevice>& device,
                                                   MediaDeviceTypeEnum::MediaDeviceType type)
    : type(type), volume(-1), uniqueIdentifier(-1) {
    if (!device) return;  // no device to copy: an empty record matching no published device
    using MirelCoreUtils::toString;
    name = toString(device->getName());
    hardwareId = toString(device->getHardwareId());
    selectionId = toString(device->getSelectionId());
    deviceInterface = toString(device->getDeviceInterface());
    friendlyName = toString(device->getFriendlyName());
    instanceIdentifier = toString(device->getInstanceId());
    vendor = toString(device->getVendor());
    volume = device->getDeviceVolume();
    isPlugged = device->getIsPluggedIn();
    isSelectedIn = device->getIsSelected();
    uniqueIdentifier = device->getUniqueIdentifier();
    isPeakInitialised = device->getIsPeakInitialised();
}

std::string PreferredMediaDeviceImpl::toString() const {
    using MirelCoreUtils::toString;
    std::string text;
    text += "\nName: " + name;
    text += "\nHardwareId: " + hardwareId;
    text += "\nSelectionId: " + selectionId;
    text += "\nisPlugged: " + toString(isPlugged);
    text += "\nisSelectedIn: " + toString(isSelectedIn);
    text += "\nvolume: " + toString(static_cast<int>(volume));
    text += "\nuniqueIdentifier: " + toString(static_cast<int>(uniqueIdentifier));
    text += "\ndeviceInterface: " + deviceInterface;
    text += "\nfriendlyName: " + friendlyName;
    text += "\ninstanceIdentifier: " + instanceIdentifier;
    text += "\nvendor: " + vendor;
    return text;
}

}  // namespace OlvarUnified
