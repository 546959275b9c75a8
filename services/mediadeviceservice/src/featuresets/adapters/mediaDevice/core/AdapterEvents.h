// What the event observer hands over to the adapter, once it has moved to the background worker.
#pragma once

#include <memory>

#include "ravo/VideoTypes.h"
#include "velk/DeviceManager.h"

namespace OlvarUnified {

class AdapterEvents {
public:
    virtual void onDeviceAdded(olvar::velk::DeviceInfoPtr device, olvar::velk::DeviceInfoList sameKindDevices) = 0;
    virtual void onDeviceRemoved(olvar::velk::DeviceInfoPtr device, olvar::velk::DeviceInfoList sameKindDevices) = 0;
    virtual void onVideoResolutionChanged(void* windowHandle, std::shared_ptr<olvar::ravo::VideoFormat> format) = 0;
    virtual void onSessionFinished(long sessionId) = 0;

protected:
    ~AdapterEvents() = default;
};

}  // namespace OlvarUnified
