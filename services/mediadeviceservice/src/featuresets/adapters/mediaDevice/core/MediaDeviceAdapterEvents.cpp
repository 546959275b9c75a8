// Device, video, playback and volume events, run on the background worker. Every update of
// the service is posted to the services dispatcher; nothing here waits for it.
#include "OlvarUnified/Telephony.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "featuresets/adapters/mediaDevice/core/MediaDeviceAdapter.h"
#include "module/DeviceTypeTable.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "services/impl/MediaDeviceServiceImpl.h"

namespace OlvarUnified {

using MediaDeviceTypeEnum::MediaDeviceType;

namespace {
const OlvarLoggerHandle& log() { return Loggers::MediaDeviceAdapter; }

MediaDeviceSelfViewDimensions dimensionsOf(const olvar::ravo::VideoFormat& format) {
    MediaDeviceSelfViewDimensions dimensions;
    dimensions.width = format.getWidth();
    dimensions.height = format.getHeight();
    dimensions.roiTop = format.getROITop();
    dimensions.roiLeft = format.getROILeft();
    dimensions.roiBottom = format.getROIBottom();
    dimensions.roiRight = format.getROIRight();
    dimensions.roiHeight = format.getROIHeight();
    dimensions.roiWidth = format.getROIWidth();
    return dimensions;
}
}  // namespace

void MediaDeviceAdapter::onDeviceAdded(olvar::velk::DeviceInfoPtr device, olvar::velk::DeviceInfoList) {
    MDS_LOG_INFO(log(), "MediaDeviceAdapter::onDeviceAdded\n" << getDeviceInfoString(device));
    if (device && device->getKind() == olvar::velk::DEVICE_KIND_CAPTURE) {
        olvar::MutexGuard guard(getMutex(MediaDeviceTypeEnum::CAMERA));
        if (auto telephony = m_link.factory()->getFeatureSet<TelephonyMediaDeviceFeatureSet>())
            telephony->setCaptureDeviceAvailable(true);
    }
    m_link.postToService(
        [this, device](MediaDeviceServiceImpl& service) {
            service.onDeviceAdded();
            refreshPreferredDeviceListsAfterEvent(device);
        },
        "Calling MediaDeviceServiceImpl::onDeviceAdded from MediaDeviceAdpater");
}

void MediaDeviceAdapter::onDeviceRemoved(olvar::velk::DeviceInfoPtr device,
                                         olvar::velk::DeviceInfoList sameKindDevices) {
    MDS_LOG_INFO(log(), "MediaDeviceAdapter::onDeviceRemoved\n" << getDeviceInfoString(device));
    if (device && device->getKind() == olvar::velk::DEVICE_KIND_CAPTURE) {
        olvar::MutexGuard guard(getMutex(MediaDeviceTypeEnum::CAMERA));
        auto telephony = m_link.factory()->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
        if (telephony && sameKindDevices.empty()) telephony->setCaptureDeviceAvailable(false);
    }
    m_link.postToService(
        [this, device](MediaDeviceServiceImpl& service) {
            service.onDeviceRemoved();
            refreshPreferredDeviceListsAfterEvent(device);
        },
        "Calling MediaDeviceServiceImpl::onDeviceRemoved from MediaDeviceAdpater");
}

// Called on the services dispatcher once DeviceAdded or DeviceRemoved was delivered. The
// merge, the list's publication and the switch of the device in use go back to the worker
// from there: run right after posting the notification, they competed with its delivery for
// the processors. Their own notifications follow the device event's, as they always did.
void MediaDeviceAdapter::refreshPreferredDeviceListsAfterEvent(const olvar::velk::DeviceInfoPtr& device) {
    postToWorker([this, device] { refreshPreferredDeviceLists(device); },
                 "MediaDeviceAdapter::refreshPreferredDeviceLists");
}

// The lists a device of this kind can appear in: a playback device serves as speaker and
// as ringer.
void MediaDeviceAdapter::refreshPreferredDeviceLists(const olvar::velk::DeviceInfoPtr& device) {
    if (!device) return;
    for (auto type : DeviceTypeTable::servedBy(device->getKind())) refreshPreferredDeviceList(type);
}

void MediaDeviceAdapter::onVideoResolutionChanged(void* windowHandle, std::shared_ptr<olvar::ravo::VideoFormat> format) {
    MDS_LOG_TRACE(log(), "MediaDeviceAdapter::onVideoResolutionChanged");
    if (!format) return;
    const MediaDeviceSelfViewDimensions dimensions = dimensionsOf(*format);
    m_link.postToService(
        [windowHandle, dimensions](MediaDeviceServiceImpl& service) {
            service.onSelfViewVideoUpdated(windowHandle, dimensions);
        },
        "Calling MediaDeviceServiceImpl::onSelfViewVideoUpdate from MediaDeviceAdpater");
}

void MediaDeviceAdapter::onSessionFinished(long sessionId) {
    MDS_LOG_TRACE(log(), "MediaDeviceAdapter::onSessionFinished");
    m_link.postToService([sessionId](MediaDeviceServiceImpl& service) { service.onSoundPlayFinished(sessionId); },
                  "Calling MediaDeviceServiceImpl::onSoundPlayFinished from MediaDeviceAdpater");
}

void MediaDeviceAdapter::onDeviceVolumeChanged(std::string deviceName, int volume) {
    m_link.postToService(
        [deviceName, volume](MediaDeviceServiceImpl& service) { service.onDeviceVolumeChanged(deviceName, volume); },
        "Calling MediaDeviceServiceImpl::onDeviceVolumeChange from MediaDeviceAdpater");
}

void MediaDeviceAdapter::onApplicationVolumeChange(std::string deviceName, int volume) {
    onVolumeChange(MediaDeviceTypeEnum::SPEAKER, deviceName, volume);
}

void MediaDeviceAdapter::onInputGainChange(std::string deviceName, int gain) {
    onVolumeChange(MediaDeviceTypeEnum::MICROPHONE, deviceName, gain);
}

void MediaDeviceAdapter::onVolumeChange(MediaDeviceType type, const std::string& deviceName, int volume) {
    // The walk runs under the type's lock because it changes the stored list; records are
    // never shared, readers on other threads get copies.
    if (const auto changed = m_volumes.noteVolumeChange(type, deviceName, volume))
        m_link.postDeviceVolume(type, *changed);
}

}  // namespace OlvarUnified
