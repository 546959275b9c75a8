// Objects created when the module loads and destroyed when it unloads.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "module/MediaDeviceTypes.h"
#include "olvar/Mutex.h"
#include "olvar/OlvarLog.h"

namespace OlvarUnified {

namespace Loggers {
extern const OlvarLoggerHandle MediaDeviceAdapter;
extern const OlvarLoggerHandle MediaDeviceBackgroundWorker;
extern const OlvarLoggerHandle MediaDeviceEventObserver;
extern const OlvarLoggerHandle MediaDevicePropertyFileConfigStore;
extern const OlvarLoggerHandle SoundPlayUtils;
extern const OlvarLoggerHandle AccessoriesEventHandler;
extern const OlvarLoggerHandle MediaDeviceServiceImpl;
extern const OlvarLoggerHandle MediaDeviceBase;
extern const OlvarLoggerHandle CompositeMediaDeviceBase;
extern const OlvarLoggerHandle LocalVideoPreviewDimensionsBase;
extern const OlvarLoggerHandle MediaDeviceServiceBase;
}  // namespace Loggers

namespace ClassNames {
extern const std::string MediaDeviceBaseImpl;
extern const std::string CompositeMediaDeviceBaseImpl;
extern const std::string LocalVideoPreviewDimensionsBaseImpl;
extern const std::string MediaDeviceServiceBaseImpl;
}  // namespace ClassNames

// Hardware id and friendly name of the current device of each type; placeholder texts until
// a device of that type is made current. Guarded by MediaDeviceAdapter::setCurrentDeviceMutex.
// Read and written by the current-device selection only, which owns its use.
extern std::map<MediaDeviceTypeEnum::MediaDeviceType, std::vector<std::wstring>> DeviceTypeConfigKeys;

}  // namespace OlvarUnified
