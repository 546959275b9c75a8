#include "module/ModuleStatics.h"

namespace OlvarUnified {

namespace Loggers {
const OlvarLoggerHandle MediaDeviceAdapter = OlvarLogger_getLogger("MediadeviceService-MediaDeviceAdapter");
const OlvarLoggerHandle MediaDeviceBackgroundWorker =
    OlvarLogger_getLogger("MediadeviceService-MediaDeviceBackgroundWorker");
const OlvarLoggerHandle MediaDeviceEventObserver = OlvarLogger_getLogger("MediadeviceService-MediaDeviceEventObserver");
const OlvarLoggerHandle MediaDevicePropertyFileConfigStore =
    OlvarLogger_getLogger("MediadeviceService-MediaDevicePropertyFileConfigStore");
const OlvarLoggerHandle SoundPlayUtils = OlvarLogger_getLogger("MediadeviceService-SoundPlayUtils");
const OlvarLoggerHandle AccessoriesEventHandler = OlvarLogger_getLogger("MediadeviceService-AccessoriesEventHandler");
const OlvarLoggerHandle MediaDeviceServiceImpl = OlvarLogger_getLogger("MediadeviceService-MediaDeviceServiceImpl");
const OlvarLoggerHandle MediaDeviceBase = OlvarLogger_getLogger("MediaDevice-Base-Impl");
const OlvarLoggerHandle CompositeMediaDeviceBase = OlvarLogger_getLogger("CompositeMediaDevice-Base-Impl");
const OlvarLoggerHandle LocalVideoPreviewDimensionsBase = OlvarLogger_getLogger("LocalVideoPreviewDimensions-Base-Impl");
const OlvarLoggerHandle MediaDeviceServiceBase = OlvarLogger_getLogger("MediaDeviceService-Base-Impl");
}  // namespace Loggers

namespace ClassNames {
const std::string MediaDeviceBaseImpl = "MediaDeviceBaseImpl";
const std::string CompositeMediaDeviceBaseImpl = "CompositeMediaDeviceBaseImpl";
const std::string LocalVideoPreviewDimensionsBaseImpl = "LocalVideoPreviewDimensionsBaseImpl";
const std::string MediaDeviceServiceBaseImpl = "MediaDeviceServiceBaseImpl";
}  // namespace ClassNames

std::map<MediaDeviceTypeEnum::MediaDeviceType, std::vector<std::wstring>> DeviceTypeConfigKeys = {
    {MediaDeviceTypeEnum::SPEAKER, {L"SPEAKER_HARDWAREID", L"SPEAKER_NAME"}},
    {MediaDeviceTypeEnum::RINGER, {L"RINGER_HARDWAREID", L"RINGER_NAME"}},
    {MediaDeviceTypeEnum::MICROPHONE, {L"MICROPHONE_HARDWAREID", L"MICROPHONE_NAME"}},
    {MediaDeviceTypeEnum::CAMERA, {L"CAMERA_HARDWAREID", L"CAMERA_NAME"}},
};

}  // namespace OlvarUnified
