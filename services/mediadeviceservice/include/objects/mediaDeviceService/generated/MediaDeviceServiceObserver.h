// Observer of the MediaDeviceService: one change call per property, in table order.
// GENERATED from MediaDeviceServiceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#pragma once

#include <string>

#include "OlvarUnified/UnifiedService.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class MDS_EXPORT MediaDeviceServiceObserver : public virtual UnifiedServiceObserver {
public:
    std::string getInterfaceName() override { return "MediaDeviceServiceObserver"; }

    // A list property's call carries the two lists of its fire.
    virtual void OnPreferredOutputDevicesChanged(DeviceList first, DeviceList second) = 0;
    virtual void OnPreferredInputDevicesChanged(DeviceList first, DeviceList second) = 0;
    virtual void OnPreferredRingerDevicesChanged(DeviceList first, DeviceList second) = 0;
    virtual void OnPreferredCaptureDevicesChanged(DeviceList first, DeviceList second) = 0;
    virtual void OnSelfViewVideoDimensionsChanged() = 0;
    virtual void OnLocalVideoPreviewWindowRemovedChanged() = 0;
    virtual void OnLocalVideoPreviewWindowAddedChanged() = 0;
    virtual void OnCurrentSpeakerDeviceVolumeChanged() = 0;
    virtual void OnSoundPlayFinishedChanged() = 0;
    virtual void OnCurrentSpeakerChanged() = 0;
    virtual void OnCurrentMicrophoneChanged() = 0;
    virtual void OnCurrentRingerChanged() = 0;
    virtual void OnCurrentVideoChanged() = 0;
    virtual void OnIsSpeakerDeviceAvailableChanged() = 0;
    virtual void OnIsMicrophoneDeviceAvailableChanged() = 0;
    virtual void OnIsRingerDeviceAvailableChanged() = 0;
    virtual void OnIsVideoDeviceAvailableChanged() = 0;
    virtual void OnDeviceAddedChanged() = 0;
    virtual void OnDeviceRemovedChanged() = 0;
};

}  // namespace OlvarUnified
