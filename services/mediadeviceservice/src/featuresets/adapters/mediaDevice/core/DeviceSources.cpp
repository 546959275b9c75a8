#include "featuresets/adapters/mediaDevice/core/DeviceSources.h"

#include "velk/VelkWrapper.h"

namespace OlvarUnified::DeviceSources {

namespace {

struct Source {
    DeviceSourceKind source;
    int deviceManagerKind;
    olvar::velk::DeviceInfoList (VelkWrapper::*devices)();
    olvar::velk::DeviceInfoPtr (VelkWrapper::*defaultDevice)();
};

// In the order of DeviceSourceKind's values.
const Source kSources[] = {
    {DeviceSourceKind::Playback, olvar::velk::DEVICE_KIND_PLAYBACK, &VelkWrapper::GetPlaybackDevices,
     &VelkWrapper::GetDefaultPlaybackDevice},
    {DeviceSourceKind::Recording, olvar::velk::DEVICE_KIND_RECORDING, &VelkWrapper::GetRecordingDevices,
     &VelkWrapper::GetDefaultRecordingDevice},
    {DeviceSourceKind::Capture, olvar::velk::DEVICE_KIND_CAPTURE, &VelkWrapper::GetCaptureDevices,
     &VelkWrapper::GetDefaultCaptureDevice},
};

const Source& entryOf(DeviceSourceKind source) { return kSources[static_cast<std::size_t>(source)]; }

}  // namespace

olvar::velk::DeviceInfoList devicesOf(DeviceSourceKind source) {
    const auto wrapper = VelkWrapper::Instance();
    return (wrapper.get()->*entryOf(source).devices)();
}

olvar::velk::DeviceInfoPtr defaultDeviceOf(DeviceSourceKind source) {
    const auto wrapper = VelkWrapper::Instance();
    return (wrapper.get()->*entryOf(source).defaultDevice)();
}

std::optional<DeviceSourceKind> sourceOfKind(int deviceManagerKind) {
    for (const auto& entry : kSources)
        if (entry.deviceManagerKind == deviceManagerKind) return entry.source;
    return std::nullopt;
}

}  // namespace OlvarUnified::DeviceSources
