// Stored properties of a MediaDevice. Setters only store; the owner notifies with
// fireOn<Property>Changed(), which reaches every MediaDeviceObserver and the notifier set.
#pragma once

#include <memory>

#include "OlvarUnified/UnifiedBusinessObjectImpl.h"
#include "module/Export.h"
#include "objects/MediaDevice.h"

namespace OlvarUnified {

class UnifiedFactory;

class MDS_EXPORT MediaDeviceBaseImpl : public UnifiedBusinessObjectImpl, public MediaDevice {
public:
    explicit MediaDeviceBaseImpl(std::shared_ptr<UnifiedFactory> factory);
    ~MediaDeviceBaseImpl() override;

    void addObserver(std::weak_ptr<MediaDeviceObserver> observer) override;
    void removeObserver(std::weak_ptr<MediaDeviceObserver> observer) override;
    using UnifiedBusinessObjectImpl::addObserver;
    using UnifiedBusinessObjectImpl::removeObserver;
    std::shared_ptr<MediaDeviceNotifiers> getMediaDeviceNotifiers() override;

    // Builds the notifier set once and registers it as an observer of this object.
    void createNotifiers() override;

    // Per property, in table order: getter, setter, fire.
#define MDS_PROPERTY(Name, Type)          \
    Type get##Name() override;            \
    virtual void set##Name(Type value);   \
    void fireOn##Name##Changed();
#include "objects/MediaDeviceProperties.def"

private:
#define MDS_PROPERTY(Name, Type) Type m_##Name{};
#include "objects/MediaDeviceProperties.def"
};

}  // namespace OlvarUnified
