// Stored properties of the MediaDeviceService. Setters only store; the service notifies
// with fireOn<Property>Changed(), which reaches every MediaDeviceServiceObserver and the
// notifier set.
#pragma once

#include <memory>

#include "module/Export.h"
#include "objects/MediaDeviceService.h"
#include "objects/UnifiedServiceImpl.h"

namespace OlvarUnified {

class UnifiedFactory;

class MDS_EXPORT MediaDeviceServiceBaseImpl : public UnifiedServiceImpl, public MediaDeviceService {
public:
    explicit MediaDeviceServiceBaseImpl(std::shared_ptr<UnifiedFactory> factory);
    ~MediaDeviceServiceBaseImpl() override;

    void addObserver(std::weak_ptr<MediaDeviceServiceObserver> observer) override;
    void removeObserver(std::weak_ptr<MediaDeviceServiceObserver> observer) override;
    using UnifiedServiceImpl::addObserver;
    using UnifiedServiceImpl::removeObserver;
    std::shared_ptr<MediaDeviceServiceNotifiers> getMediaDeviceServiceNotifiers() override;

    // Builds the notifier set once and registers it as an observer of this service.
    void createNotifiers() override;

    // Per property, in table order: getter and setter (the list setters are the interface's).
#define MDS_PROPERTY(Name, Type) \
    Type get##Name() override;   \
    virtual void set##Name(Type value);
#define MDS_LIST_PROPERTY(Name)      \
    DeviceList get##Name() override; \
    void set##Name(DeviceList value) override;
#include "objects/MediaDeviceServiceProperties.def"

protected:
    // Per property, in table order: the service's explicit notification.
#define MDS_PROPERTY(Name, Type) void fireOn##Name##Changed();
#define MDS_LIST_PROPERTY(Name) void fireOn##Name##Changed(DeviceList first, DeviceList second);
#include "objects/MediaDeviceServiceProperties.def"

private:
#define MDS_PROPERTY(Name, Type) Type m_##Name{};
#include "objects/MediaDeviceServiceProperties.def"
};

}  // namespace OlvarUnified
