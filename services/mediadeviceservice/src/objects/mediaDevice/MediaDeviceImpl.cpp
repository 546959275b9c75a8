#include "objects/mediaDevice/MediaDeviceImpl.h"

#include "MirelCoreUtils/StringUtils.h"
#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"

namespace OlvarUnified {

using MirelCoreUtils::toWideString;

MediaDeviceImpl::MediaDeviceImpl(std::shared_ptr<UnifiedFactory> factory)
    : MediaDeviceBaseImpl(std::move(factory)), m_uniqueIdentifier(-1) {}

MediaDeviceImpl::MediaDeviceImpl(std::shared_ptr<UnifiedFactory> factory, const PreferredMediaDeviceImpl& record)
    : MediaDeviceBaseImpl(std::move(factory)), m_uniqueIdentifier(record.uniqueIdentifier) {
    setName(toWideString(record.name));
    setHardwareId(toWideString(record.hardwareId));
    setSelectionId(toWideString(record.selectionId));
    setIsPluggedIn(record.isPlugged);
    setIsSelected(record.isSelectedIn);
    setDeviceVolume(record.volume);
    setIsPeakInitialised(record.isPeakInitialised);
    setFriendlyName(toWideString(record.friendlyName));
    setDeviceInterface(toWideString(record.deviceInterface));
    setInstanceId(toWideString(record.instanceIdentifier));
    setType(record.type);
    setVendor(toWideString(record.vendor));
    commitToServicesDispatcher();
}

MediaDeviceImpl::~MediaDeviceImpl() = default;

std::int32_t MediaDeviceImpl::getUniqueIdentifier() { return m_uniqueIdentifier; }

std::wstring MediaDeviceImpl::toWString() {
    std::wstring text;
    text += L"\nName: " + getName();
    text += L"\nHardwareId: " + getHardwareId();
    text += L"\nSelectionId: " + getSelectionId();
    text += L"\nisPluggedIn: " + toWideString(getIsPluggedIn());
    text += L"\nisSelected: " + toWideString(getIsSelected());
    text += L"\nvolume: " + toWideString(static_cast<int>(getDeviceVolume()));
    text += L"\nFriendlyName: " + getFriendlyName();
    text += L"\nDeviceInterface: " + getDeviceInterface();
    text += L"\nInstanceId: " + getInstanceId();
    text += L"\nuniqueIdentifier: " + toWideString(static_cast<int>(getUniqueIdentifier()));
    text += L"\nvendor: " + getVendor();
    return text;
}

std::string MediaDeviceImpl::toString() { return MirelCoreUtils::toString(toWString()); }

}  // namespace OlvarUnified
