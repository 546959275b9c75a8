// Notifier set of the MediaDeviceService: one notifier per property, in table order.
// GENERATED from MediaDeviceServiceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#pragma once

#include <memory>

#include "OlvarUnified/UnifiedService.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class MDS_EXPORT MediaDeviceServiceNotifiers : public virtual UnifiedServiceNotifiers {
public:
    virtual std::shared_ptr<PropertyListNotifier<MediaDevice>> getPreferredOutputDevicesNotifier() = 0;
    virtual std::shared_ptr<PropertyListNotifier<MediaDevice>> getPreferredInputDevicesNotifier() = 0;
    virtual std::shared_ptr<PropertyListNotifier<MediaDevice>> getPreferredRingerDevicesNotifier() = 0;
    virtual std::shared_ptr<PropertyListNotifier<MediaDevice>> getPreferredCaptureDevicesNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getSelfViewVideoDimensionsNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getLocalVideoPreviewWindowRemovedNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getLocalVideoPreviewWindowAddedNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getCurrentSpeakerDeviceVolumeNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getSoundPlayFinishedNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getCurrentSpeakerNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getCurrentMicrophoneNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getCurrentRingerNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getCurrentVideoNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getIsSpeakerDeviceAvailableNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getIsMicrophoneDeviceAvailableNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getIsRingerDeviceAvailableNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getIsVideoDeviceAvailableNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getDeviceAddedNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getDeviceRemovedNotifier() = 0;
};

}  // namespace OlvarUnified
