// Stored properties of a CompositeMediaDevice. Setters only store; the owner notifies with
// fireOn<Property>Changed(), which reaches every CompositeMediaDeviceObserver and the notifier set.
#pragma once

#include <memory>

#include "OlvarUnified/UnifiedBusinessObjectImpl.h"
#include "module/Export.h"
#include "objects/CompositeMediaDevice.h"

namespace OlvarUnified {

class UnifiedFactory;

class MDS_EXPORT CompositeMediaDeviceBaseImpl : public UnifiedBusinessObjectImpl, public CompositeMediaDevice {
public:
    explicit CompositeMediaDeviceBaseImpl(std::shared_ptr<UnifiedFactory> factory);
    ~CompositeMediaDeviceBaseImpl() override;

    void addObserver(std::weak_ptr<CompositeMediaDeviceObserver> observer) override;
    void removeObserver(std::weak_ptr<CompositeMediaDeviceObserver> observer) override;
    using UnifiedBusinessObjectImpl::addObserver;
    using UnifiedBusinessObjectImpl::removeObserver;
    std::shared_ptr<CompositeMediaDeviceNotifiers> getCompositeMediaDeviceNotifiers() override;

    // Builds the notifier set once and registers it as an observer of this object.
    void createNotifiers() override;

    // Per property, in table order: getter, setter, fire.
#define MDS_PROPERTY(Name, Type)          \
    Type get##Name() override;            \
    virtual void set##Name(Type value);   \
    void fireOn##Name##Changed();
#define MDS_LIST_PROPERTY(Name)                 \
    DeviceList get##Name() override;            \
    virtual void set##Name(DeviceList value);   \
    void fireOn##Name##Changed(DeviceList first, DeviceList second);
#include "objects/CompositeMediaDeviceProperties.def"

private:
#define MDS_PROPERTY(Name, Type) Type m_##Name{};
#include "objects/CompositeMediaDeviceProperties.def"
};

}  // namespace OlvarUnified
