// The adapter's road to the service: every call is posted to the services dispatcher, where
// the service lives, and carries snapshots only, never a stored record.
#pragma once

#include <functional>
#include <memory>

#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class MediaDeviceServiceImpl;
class UnifiedFactory;

class ServiceLink {
public:
    explicit ServiceLink(std::shared_ptr<UnifiedFactory> factory);

    const std::shared_ptr<UnifiedFactory>& factory() const { return m_factory; }
    const std::shared_ptr<MediaDeviceServiceImpl>& service() const { return m_service; }

    // Hands a call of the service to the services dispatcher under the given description;
    // nothing without a service or a dispatcher.
    void postToService(std::function<void(MediaDeviceServiceImpl&)> call, const char* description) const;

    // The new volume of a device.
    void postDeviceVolume(MediaDeviceTypeEnum::MediaDeviceType type, const PreferredMediaDeviceImpl& record) const;
    // The device in use (none: empty), so that the service's selected flags follow the telephony side.
    void postDeviceSelected(MediaDeviceTypeEnum::MediaDeviceType type, const PreferredMediaDevicePtr& record) const;
    // One changed record of a list.
    void postPreferredDevice(MediaDeviceTypeEnum::MediaDeviceType type, const PreferredMediaDeviceImpl& record) const;
    // A whole list, in its order.
    void postPreferredList(MediaDeviceTypeEnum::MediaDeviceType type, const PreferredMediaDeviceList& list,
                           MediaDevicePositionEnum::MediaDevicePosition position) const;

private:
    std::shared_ptr<UnifiedFactory> m_factory;
    std::shared_ptr<MediaDeviceServiceImpl> m_service;
};

}  // namespace OlvarUnified
