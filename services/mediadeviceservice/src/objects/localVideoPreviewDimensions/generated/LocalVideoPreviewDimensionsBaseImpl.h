// Stored properties of a LocalVideoPreviewDimensions.
// GENERATED from LocalVideoPreviewDimensionsProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
//
// Setters only store; the owner notifies with fireOn<Property>Changed(), which reaches every
// LocalVideoPreviewDimensionsObserver and the notifier set.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "OlvarUnified/UnifiedBusinessObjectImpl.h"
#include "module/Export.h"
#include "objects/localVideoPreviewDimensions/LocalVideoPreviewDimensions.h"

namespace OlvarUnified {

class UnifiedFactory;

class MDS_EXPORT LocalVideoPreviewDimensionsBaseImpl
    : public UnifiedBusinessObjectImpl,
      public LocalVideoPreviewDimensions {
public:
    explicit LocalVideoPreviewDimensionsBaseImpl(std::shared_ptr<UnifiedFactory> factory);
    ~LocalVideoPreviewDimensionsBaseImpl() override;

    void addObserver(std::weak_ptr<LocalVideoPreviewDimensionsObserver> observer) override;
    void removeObserver(std::weak_ptr<LocalVideoPreviewDimensionsObserver> observer) override;
    using UnifiedBusinessObjectImpl::addObserver;
    using UnifiedBusinessObjectImpl::removeObserver;
    std::shared_ptr<LocalVideoPreviewDimensionsNotifiers> getLocalVideoPreviewDimensionsNotifiers() override;

    // Builds the notifier set once and registers it as an observer of this object.
    void createNotifiers() override;

    // Getter and setter of each property, in table order.
    std::int32_t getWidth() override;
    virtual void setWidth(std::int32_t value);
    std::int32_t getHeight() override;
    virtual void setHeight(std::int32_t value);
    std::int32_t getROITop() override;
    virtual void setROITop(std::int32_t value);
    std::int32_t getROILeft() override;
    virtual void setROILeft(std::int32_t value);
    std::int32_t getROIBottom() override;
    virtual void setROIBottom(std::int32_t value);
    std::int32_t getROIRight() override;
    virtual void setROIRight(std::int32_t value);
    std::int32_t getROIHeight() override;
    virtual void setROIHeight(std::int32_t value);
    std::int32_t getROIWidth() override;
    virtual void setROIWidth(std::int32_t value);
    void* getWindowHandle() override;
    virtual void setWindowHandle(void* value);

    // Notification of each property, in table order: On<Property>Changed() on every observer.
    void fireOnWidthChanged();
    void fireOnHeightChanged();
    void fireOnROITopChanged();
    void fireOnROILeftChanged();
    void fireOnROIBottomChanged();
    void fireOnROIRightChanged();
    void fireOnROIHeightChanged();
    void fireOnROIWidthChanged();
    void fireOnWindowHandleChanged();

private:
    std::int32_t m_Width{};
    std::int32_t m_Height{};
    std::int32_t m_ROITop{};
    std::int32_t m_ROILeft{};
    std::int32_t m_ROIBottom{};
    std::int32_t m_ROIRight{};
    std::int32_t m_ROIHeight{};
    std::int32_t m_ROIWidth{};
    void* m_WindowHandle{};
};

}  // namespace OlvarUnified
