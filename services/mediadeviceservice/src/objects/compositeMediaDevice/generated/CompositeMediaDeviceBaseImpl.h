// Stored properties of a CompositeMediaDevice.
// GENERATED from CompositeMediaDeviceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
//
// Setters only store; the owner notifies with fireOn<Property>Changed(), which reaches every
// CompositeMediaDeviceObserver and the notifier set.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "OlvarUnified/UnifiedBusinessObjectImpl.h"
#include "module/Export.h"
#include "objects/compositeMediaDevice/CompositeMediaDevice.h"

namespace OlvarUnified {

class UnifiedFactory;

class MDS_EXPORT CompositeMediaDeviceBaseImpl
    : public UnifiedBusinessObjectImpl,
      public CompositeMediaDevice {
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

    // Getter and setter of each property, in table order.
    DeviceList getMediaDevices() override;
    virtual void setMediaDevices(DeviceList value);
    std::wstring getName() override;
    virtual void setName(std::wstring value);
    std::wstring getFullName() override;
    virtual void setFullName(std::wstring value);
    AccessoryDeviceTypeEnum::AccessoryDeviceType getCompositeType() override;
    virtual void setCompositeType(AccessoryDeviceTypeEnum::AccessoryDeviceType value);

    // Notification of each property, in table order: On<Property>Changed() on every observer.
    void fireOnMediaDevicesChanged(DeviceList first, DeviceList second);
    void fireOnNameChanged();
    void fireOnFullNameChanged();
    void fireOnCompositeTypeChanged();

private:
    DeviceList m_MediaDevices{};
    std::wstring m_Name{};
    std::wstring m_FullName{};
    AccessoryDeviceTypeEnum::AccessoryDeviceType m_CompositeType{};
};

}  // namespace OlvarUnified
