// Stored properties of a MediaDevice.
// GENERATED from MediaDeviceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
//
// Setters only store; the owner notifies with fireOn<Property>Changed(), which reaches every
// MediaDeviceObserver and the notifier set.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "OlvarUnified/UnifiedBusinessObjectImpl.h"
#include "module/Export.h"
#include "objects/mediaDevice/MediaDevice.h"

namespace OlvarUnified {

class UnifiedFactory;

class MDS_EXPORT MediaDeviceBaseImpl
    : public UnifiedBusinessObjectImpl,
      public MediaDevice {
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

    // Getter and setter of each property, in table order.
    bool getIsPluggedIn() override;
    virtual void setIsPluggedIn(bool value);
    bool getIsSelected() override;
    virtual void setIsSelected(bool value);
    std::wstring getSelectionId() override;
    virtual void setSelectionId(std::wstring value);
    std::wstring getHardwareId() override;
    virtual void setHardwareId(std::wstring value);
    std::wstring getName() override;
    virtual void setName(std::wstring value);
    std::int32_t getDeviceVolume() override;
    virtual void setDeviceVolume(std::int32_t value);
    bool getIsPeakInitialised() override;
    virtual void setIsPeakInitialised(bool value);
    std::wstring getDeviceInterface() override;
    virtual void setDeviceInterface(std::wstring value);
    std::wstring getFriendlyName() override;
    virtual void setFriendlyName(std::wstring value);
    std::wstring getInstanceId() override;
    virtual void setInstanceId(std::wstring value);
    MediaDeviceTypeEnum::MediaDeviceType getType() override;
    virtual void setType(MediaDeviceTypeEnum::MediaDeviceType value);
    std::wstring getVendor() override;
    virtual void setVendor(std::wstring value);

    // Notification of each property, in table order: On<Property>Changed() on every observer.
    void fireOnIsPluggedInChanged();
    void fireOnIsSelectedChanged();
    void fireOnSelectionIdChanged();
    void fireOnHardwareIdChanged();
    void fireOnNameChanged();
    void fireOnDeviceVolumeChanged();
    void fireOnIsPeakInitialisedChanged();
    void fireOnDeviceInterfaceChanged();
    void fireOnFriendlyNameChanged();
    void fireOnInstanceIdChanged();
    void fireOnTypeChanged();
    void fireOnVendorChanged();

private:
    bool m_IsPluggedIn{};
    bool m_IsSelected{};
    std::wstring m_SelectionId{};
    std::wstring m_HardwareId{};
    std::wstring m_Name{};
    std::int32_t m_DeviceVolume{};
    bool m_IsPeakInitialised{};
    std::wstring m_DeviceInterface{};
    std::wstring m_FriendlyName{};
    std::wstring m_InstanceId{};
    MediaDeviceTypeEnum::MediaDeviceType m_Type{};
    std::wstring m_Vendor{};
};

}  // namespace OlvarUnified
