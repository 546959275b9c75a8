#include "featuresets/adapters/mediaDevice/core/MediaDeviceEventObserver.h"

#include "OlvarUnified/Task.h"
#include "featuresets/adapters/mediaDevice/core/AdapterEvents.h"
#include "featuresets/adapters/mediaDevice/core/MediaDeviceBackgroundWorker.h"
#include "module/ModuleLog.h"
#include "module/DeviceTypeTable.h"
#include "module/ModuleStatics.h"
#include "velk/VelkWrapper.h"

namespace OlvarUnified {

using olvar::velk::DeviceInfoList;
using olvar::velk::DeviceInfoPtr;

MediaDeviceEventObserver::MediaDeviceEventObserver(AdapterEvents* adapter) : m_adapter(adapter) {}

MediaDeviceEventObserver::~MediaDeviceEventObserver() = default;

DeviceInfoList MediaDeviceEventObserver::sameKindDevices(const DeviceInfoPtr& device) {
    // A kind the module does not use reads as no devices.
    if (!device || DeviceTypeTable::servedBy(device->getKind()).empty()) return {};
    return VelkWrapper::Instance()->GetDevices(device->getKind());
}

void MediaDeviceEventObserver::onDeviceAdded(DeviceInfoPtr device) {
    auto devices = sameKindDevices(device);
    AdapterEvents* adapter = m_adapter;
    MediaDeviceBackgroundWorker::instance()->doTask(std::make_shared<FunctionTask>(
        [adapter, device, devices]() mutable { adapter->onDeviceAdded(device, devices); },
        "MediaDeviceEventObserver::onDeviceAdded"));
}

void MediaDeviceEventObserver::onDeviceRemoved(DeviceInfoPtr device) {
    auto devices = sameKindDevices(device);
    AdapterEvents* adapter = m_adapter;
    MediaDeviceBackgroundWorker::instance()->doTask(std::make_shared<FunctionTask>(
        [adapter, device, devices]() mutable { adapter->onDeviceRemoved(device, devices); },
        "MediaDeviceEventObserver::onDeviceRemoved"));
}

void MediaDeviceEventObserver::onDefaultDeviceChanged(DeviceInfoPtr) {}
void MediaDeviceEventObserver::onSpeakerVolumeChanged(const std::string&, int) {}
void MediaDeviceEventObserver::onSpeakerMuteChanged(const std::string&, bool) {}
void MediaDeviceEventObserver::onInputGainChanged(const std::string&, int) {}
void MediaDeviceEventObserver::onInputMuteChanged(const std::string&, bool) {}
void MediaDeviceEventObserver::onApplicationVolumeChanged(const std::string&, int) {}

void MediaDeviceEventObserver::onVideoResolutionChanged(void* windowHandle,
                                                        std::shared_ptr<olvar::ravo::VideoFormat> format) {
    MDS_LOG_DEBUG(Loggers::MediaDeviceEventObserver,
                  "onVideoResolutionChanged, format: " << (format ? format->toString() : std::string("NULL")));
    AdapterEvents* adapter = m_adapter;
    MediaDeviceBackgroundWorker::instance()->doTask(std::make_shared<FunctionTask>(
        [adapter, windowHandle, format] { adapter->onVideoResolutionChanged(windowHandle, format); },
        "MediaDeviceEventObserver::onVideoResolutionChanged"));
}

void MediaDeviceEventObserver::onSessionFinished(long sessionId) { m_adapter->onSessionFinished(sessionId); }

}  // namespace OlvarUnified
