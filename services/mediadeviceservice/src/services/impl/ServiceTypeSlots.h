// The published properties the service keeps for each device type, in list-slot order.
#pragma once

#include <array>

#include "module/DeviceTypeTable.h"
#include "services/impl/MediaDeviceServiceImpl.h"

namespace OlvarUnified {

struct MediaDeviceServiceImpl::TypeSlot {
    using Base = MediaDeviceServiceBaseImpl;
    DeviceList (Base::*preferredList)();
    void (Base::*firePreferredChanged)(DeviceList added, DeviceList removed);
    std::shared_ptr<MediaDevice> (Base::*currentDevice)();
    void (Base::*fireCurrentChanged)();
    bool (Base::*isAvailable)();
    void (Base::*setAvailable)(bool);
    void (Base::*fireAvailableChanged)();
};

inline const MediaDeviceServiceImpl::TypeSlot& MediaDeviceServiceImpl::listSlotOf(MediaDeviceType type) {
    using S = MediaDeviceServiceImpl;
    static const std::array<TypeSlot, 4> slots{{
        {&S::getPreferredOutputDevices, &S::fireOnPreferredOutputDevicesChanged, &S::getCurrentSpeaker,
         &S::fireOnCurrentSpeakerChanged, &S::getIsSpeakerDeviceAvailable, &S::setIsSpeakerDeviceAvailable,
         &S::fireOnIsSpeakerDeviceAvailableChanged},
        {&S::getPreferredRingerDevices, &S::fireOnPreferredRingerDevicesChanged, &S::getCurrentRinger,
         &S::fireOnCurrentRingerChanged, &S::getIsRingerDeviceAvailable, &S::setIsRingerDeviceAvailable,
         &S::fireOnIsRingerDeviceAvailableChanged},
        {&S::getPreferredInputDevices, &S::fireOnPreferredInputDevicesChanged, &S::getCurrentMicrophone,
         &S::fireOnCurrentMicrophoneChanged, &S::getIsMicrophoneDeviceAvailable, &S::setIsMicrophoneDeviceAvailable,
         &S::fireOnIsMicrophoneDeviceAvailableChanged},
        {&S::getPreferredCaptureDevices, &S::fireOnPreferredCaptureDevicesChanged, &S::getCurrentVideo,
         &S::fireOnCurrentVideoChanged, &S::getIsVideoDeviceAvailable, &S::setIsVideoDeviceAvailable,
         &S::fireOnIsVideoDeviceAvailableChanged},
    }};
    return slots[DeviceTypeTable::listSlot(type)];
}

inline const MediaDeviceServiceImpl::TypeSlot* MediaDeviceServiceImpl::slotOf(MediaDeviceType type) {
    return DeviceTypeTable::find(type) ? &listSlotOf(type) : nullptr;
}

}  // namespace OlvarUnified
