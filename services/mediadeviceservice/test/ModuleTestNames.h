// The names the module's tests share: the product's namespace, the device types and kinds by
// short names, and the USB headset that the simulated scenarios plug.
#pragma once

#include "module/MediaDeviceTypes.h"
#include "velk/DeviceManager.h"

namespace olvar::test {

using namespace ::OlvarUnified;
using olvar::velk::DEVICE_KIND_CAPTURE;
using olvar::velk::DEVICE_KIND_PLAYBACK;
using olvar::velk::DEVICE_KIND_RECORDING;
using olvar::velk::DeviceInfo;
using olvar::velk::DeviceInfoList;
using olvar::velk::DeviceInfoPtr;

constexpr auto kSpeaker = MediaDeviceTypeEnum::SPEAKER;
constexpr auto kRinger = MediaDeviceTypeEnum::RINGER;
constexpr auto kMicrophone = MediaDeviceTypeEnum::MICROPHONE;
constexpr auto kCamera = MediaDeviceTypeEnum::CAMERA;
constexpr MediaDeviceTypeEnum::MediaDeviceType kAllTypes[] = {kSpeaker, kRinger, kMicrophone, kCamera};

// Its speaker and microphone share this hardware id.
const char* const kHeadsetHardwareId = "USB\\VID_0B0E&PID_0348&MI_00";

}  // namespace olvar::test
