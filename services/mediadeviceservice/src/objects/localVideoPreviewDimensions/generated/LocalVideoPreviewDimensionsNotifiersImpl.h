// Notifier set of a LocalVideoPreviewDimensions.
// GENERATED from LocalVideoPreviewDimensionsProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
//
// Each notifier is created on its first request; as an observer of the object the set fires
// the notifiers that exist.
#pragma once

#include <memory>

#include "module/Export.h"
#include "objects/localVideoPreviewDimensions/LocalVideoPreviewDimensions.h"
#include "objects/notifiers/LazyNotifier.h"
#include "objects/notifiers/PropertyNotifierImpl.h"
#include "objects/unified/UnifiedBusinessObjectNotifiersImpl.h"

namespace OlvarUnified {

class MDS_EXPORT LocalVideoPreviewDimensionsNotifiersImpl
    : public UnifiedBusinessObjectNotifiersImpl,
      public LocalVideoPreviewDimensionsNotifiers,
      public LocalVideoPreviewDimensionsObserver,
      public std::enable_shared_from_this<LocalVideoPreviewDimensionsNotifiersImpl> {
public:
    // Fires every notifier created so far, in table order.
    void OnInfoChanged() override;

    // The notifier of each property, in table order.
    std::shared_ptr<PropertyNotifier> getWidthNotifier() override;
    std::shared_ptr<PropertyNotifier> getHeightNotifier() override;
    std::shared_ptr<PropertyNotifier> getROITopNotifier() override;
    std::shared_ptr<PropertyNotifier> getROILeftNotifier() override;
    std::shared_ptr<PropertyNotifier> getROIBottomNotifier() override;
    std::shared_ptr<PropertyNotifier> getROIRightNotifier() override;
    std::shared_ptr<PropertyNotifier> getROIHeightNotifier() override;
    std::shared_ptr<PropertyNotifier> getROIWidthNotifier() override;
    std::shared_ptr<PropertyNotifier> getWindowHandleNotifier() override;

    // The observer call of each property, in table order: fires its notifier if created.
    void OnWidthChanged() override;
    void OnHeightChanged() override;
    void OnROITopChanged() override;
    void OnROILeftChanged() override;
    void OnROIBottomChanged() override;
    void OnROIRightChanged() override;
    void OnROIHeightChanged() override;
    void OnROIWidthChanged() override;
    void OnWindowHandleChanged() override;

private:
    LazyNotifier<PropertyNotifierImpl> m_WidthNotifier;
    LazyNotifier<PropertyNotifierImpl> m_HeightNotifier;
    LazyNotifier<PropertyNotifierImpl> m_ROITopNotifier;
    LazyNotifier<PropertyNotifierImpl> m_ROILeftNotifier;
    LazyNotifier<PropertyNotifierImpl> m_ROIBottomNotifier;
    LazyNotifier<PropertyNotifierImpl> m_ROIRightNotifier;
    LazyNotifier<PropertyNotifierImpl> m_ROIHeightNotifier;
    LazyNotifier<PropertyNotifierImpl> m_ROIWidthNotifier;
    LazyNotifier<PropertyNotifierImpl> m_WindowHandleNotifier;
};

}  // namespace OlvarUnified
