// Notifier set of a LocalVideoPreviewDimensions.
// GENERATED from LocalVideoPreviewDimensionsProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#include "objects/localVideoPreviewDimensions/generated/LocalVideoPreviewDimensionsNotifiersImpl.h"

#include <utility>

namespace OlvarUnified {

void LocalVideoPreviewDimensionsNotifiersImpl::OnInfoChanged() {
    m_WidthNotifier.fireIfCreated();
    m_HeightNotifier.fireIfCreated();
    m_ROITopNotifier.fireIfCreated();
    m_ROILeftNotifier.fireIfCreated();
    m_ROIBottomNotifier.fireIfCreated();
    m_ROIRightNotifier.fireIfCreated();
    m_ROIHeightNotifier.fireIfCreated();
    m_ROIWidthNotifier.fireIfCreated();
    m_WindowHandleNotifier.fireIfCreated();
}

std::shared_ptr<PropertyNotifier> LocalVideoPreviewDimensionsNotifiersImpl::getWidthNotifier() {
    return m_WidthNotifier.get();
}

std::shared_ptr<PropertyNotifier> LocalVideoPreviewDimensionsNotifiersImpl::getHeightNotifier() {
    return m_HeightNotifier.get();
}

std::shared_ptr<PropertyNotifier> LocalVideoPreviewDimensionsNotifiersImpl::getROITopNotifier() {
    return m_ROITopNotifier.get();
}

std::shared_ptr<PropertyNotifier> LocalVideoPreviewDimensionsNotifiersImpl::getROILeftNotifier() {
    return m_ROILeftNotifier.get();
}

std::shared_ptr<PropertyNotifier> LocalVideoPreviewDimensionsNotifiersImpl::getROIBottomNotifier() {
    return m_ROIBottomNotifier.get();
}

std::shared_ptr<PropertyNotifier> LocalVideoPreviewDimensionsNotifiersImpl::getROIRightNotifier() {
    return m_ROIRightNotifier.get();
}

std::shared_ptr<PropertyNotifier> LocalVideoPreviewDimensionsNotifiersImpl::getROIHeightNotifier() {
    return m_ROIHeightNotifier.get();
}

std::shared_ptr<PropertyNotifier> LocalVideoPreviewDimensionsNotifiersImpl::getROIWidthNotifier() {
    return m_ROIWidthNotifier.get();
}

std::shared_ptr<PropertyNotifier> LocalVideoPreviewDimensionsNotifiersImpl::getWindowHandleNotifier() {
    return m_WindowHandleNotifier.get();
}

void LocalVideoPreviewDimensionsNotifiersImpl::OnWidthChanged() { m_WidthNotifier.fireIfCreated(); }

void LocalVideoPreviewDimensionsNotifiersImpl::OnHeightChanged() { m_HeightNotifier.fireIfCreated(); }

void LocalVideoPreviewDimensionsNotifiersImpl::OnROITopChanged() { m_ROITopNotifier.fireIfCreated(); }

void LocalVideoPreviewDimensionsNotifiersImpl::OnROILeftChanged() { m_ROILeftNotifier.fireIfCreated(); }

void LocalVideoPreviewDimensionsNotifiersImpl::OnROIBottomChanged() { m_ROIBottomNotifier.fireIfCreated(); }

void LocalVideoPreviewDimensionsNotifiersImpl::OnROIRightChanged() { m_ROIRightNotifier.fireIfCreated(); }

void LocalVideoPreviewDimensionsNotifiersImpl::OnROIHeightChanged() { m_ROIHeightNotifier.fireIfCreated(); }

void LocalVideoPreviewDimensionsNotifiersImpl::OnROIWidthChanged() { m_ROIWidthNotifier.fireIfCreated(); }

void LocalVideoPreviewDimensionsNotifiersImpl::OnWindowHandleChanged() {
    m_WindowHandleNotifier.fireIfCreated();
}

}  // namespace OlvarUnified
