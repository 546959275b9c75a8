#include "featuresets/adapters/mediaDevice/core/ServiceLink.h"

#include <string>

#include "OlvarUnified/Task.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "objects/mediaDevice/MediaDeviceImpl.h"
#include "services/impl/MediaDeviceServiceImpl.h"

namespace OlvarUnified {

using MediaDevicePositionEnum::MediaDevicePosition;
using MediaDeviceTypeEnum::MediaDeviceType;

namespace {
const OlvarLoggerHandle& log() { return Loggers::MediaDeviceAdapter; }
}  // namespace

ServiceLink::ServiceLink(std::shared_ptr<UnifiedFactory> factory) : m_factory(std::move(factory)) {
    if (m_factory)
        m_service = std::dynamic_pointer_cast<MediaDeviceServiceImpl>(m_factory->getService<MediaDeviceService>());
}

void ServiceLink::postToService(std::function<void(MediaDeviceServiceImpl&)> call, const char* description) const {
    MediaDeviceServiceImpl* service = m_service.get();
    auto dispatcher = m_factory ? m_factory->getServicesDispatcher() : nullptr;
    if (!service || !dispatcher) return;
    dispatcher->enqueue(std::make_shared<FunctionTask>([service, call = std::move(call)] { call(*service); }, description),
                        false, true);
}

void ServiceLink::postDeviceVolume(MediaDeviceType type, const PreferredMediaDeviceImpl& record) const {
    std::shared_ptr<MediaDevice> device = std::make_shared<MediaDeviceImpl>(m_factory, record);
    postToService([type, device](MediaDeviceServiceImpl& service) { service.setServicesDeviceVolume(type, device); },
                  "Calling MediaDeviceServiceImpl::setServicesDeviceVolume from MediaDeviceAdapter");
}

void ServiceLink::postDeviceSelected(MediaDeviceType type, const PreferredMediaDevicePtr& record) const {
    std::shared_ptr<MediaDevice> device;
    if (record) device = std::make_shared<MediaDeviceImpl>(m_factory, *record);
    postToService([type, device](MediaDeviceServiceImpl& service) { service.setDeviceSelected(type, device); },
                  "Calling MediaDeviceServiceImpl::setDeviceSelected from MediaDeviceAdapter");
}

void ServiceLink::postPreferredDevice(MediaDeviceType type, const PreferredMediaDeviceImpl& record) const {
    std::shared_ptr<MediaDevice> device = std::make_shared<MediaDeviceImpl>(m_factory, record);
    postToService([type, device](MediaDeviceServiceImpl& service) { service.updatePreferredDevice(type, device); },
                  "Calling MediaDeviceServiceImpl::updatePreferredDevice from MediaDeviceAdapter");
}

void ServiceLink::postPreferredList(MediaDeviceType type, const PreferredMediaDeviceList& list,
                                    MediaDevicePosition position) const {
    auto devices = std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>();
    std::string text;
    if (list)
        for (const auto& record : *list) {
            devices->push_back(std::make_shared<MediaDeviceImpl>(m_factory, *record));
            text += "\n" + record->toString();
        }
    MDS_LOG_DEBUG(log(), "Setting Services preferred list with: " << text);
    postToService([type, devices, position](
                      MediaDeviceServiceImpl& service) { service.setPreferredDeviceList(type, devices, position); },
                  "Calling MediaDeviceServiceImpl::setPreferredDeviceList from MediaDeviceAdapter");
}

}  // namespace OlvarUnified
