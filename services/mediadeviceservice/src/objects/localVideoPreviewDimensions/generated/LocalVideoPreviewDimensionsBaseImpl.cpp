// Stored properties of a LocalVideoPreviewDimensions.
// GENERATED from LocalVideoPreviewDimensionsProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#include "objects/localVideoPreviewDimensions/generated/LocalVideoPreviewDimensionsBaseImpl.h"

#include <utility>

#include "module/ModuleStatics.h"
#include "objects/localVideoPreviewDimensions/generated/LocalVideoPreviewDimensionsNotifiersImpl.h"

namespace OlvarUnified {

LocalVideoPreviewDimensionsBaseImpl::LocalVideoPreviewDimensionsBaseImpl(std::shared_ptr<UnifiedFactory> factory)
    : UnifiedBusinessObjectImpl(std::move(factory), ClassNames::LocalVideoPreviewDimensionsBaseImpl) {}

LocalVideoPreviewDimensionsBaseImpl::~LocalVideoPreviewDimensionsBaseImpl() = default;

void LocalVideoPreviewDimensionsBaseImpl::addObserver(std::weak_ptr<LocalVideoPreviewDimensionsObserver> observer) {
    UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer));
}

void LocalVideoPreviewDimensionsBaseImpl::removeObserver(std::weak_ptr<LocalVideoPreviewDimensionsObserver> observer) {
    UnifiedBusinessObjectImpl::removeObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer));
}

std::shared_ptr<LocalVideoPreviewDimensionsNotifiers> LocalVideoPreviewDimensionsBaseImpl::getLocalVideoPreviewDimensionsNotifiers() {
    createNotifiers();
    return std::dynamic_pointer_cast<LocalVideoPreviewDimensionsNotifiers>(getNotifiers());
}

void LocalVideoPreviewDimensionsBaseImpl::createNotifiers() {
    if (getNotifiers()) return;
    auto notifiers = std::make_shared<LocalVideoPreviewDimensionsNotifiersImpl>();
    setNotifiers(notifiers);
    UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(notifiers));
}

std::int32_t LocalVideoPreviewDimensionsBaseImpl::getWidth() {
    EnsureUpdateAccess(true);
    return m_Width;
}

void LocalVideoPreviewDimensionsBaseImpl::setWidth(std::int32_t value) {
    EnsureUpdateAccess(true);
    m_Width = std::move(value);
}

std::int32_t LocalVideoPreviewDimensionsBaseImpl::getHeight() {
    EnsureUpdateAccess(true);
    return m_Height;
}

void LocalVideoPreviewDimensionsBaseImpl::setHeight(std::int32_t value) {
    EnsureUpdateAccess(true);
    m_Height = std::move(value);
}

std::int32_t LocalVideoPreviewDimensionsBaseImpl::getROITop() {
    EnsureUpdateAccess(true);
    return m_ROITop;
}

void LocalVideoPreviewDimensionsBaseImpl::setROITop(std::int32_t value) {
    EnsureUpdateAccess(true);
    m_ROITop = std::move(value);
}

std::int32_t LocalVideoPreviewDimensionsBaseImpl::getROILeft() {
    EnsureUpdateAccess(true);
    return m_ROILeft;
}

void LocalVideoPreviewDimensionsBaseImpl::setROILeft(std::int32_t value) {
    EnsureUpdateAccess(true);
    m_ROILeft = std::move(value);
}

std::int32_t LocalVideoPreviewDimensionsBaseImpl::getROIBottom() {
    EnsureUpdateAccess(true);
    return m_ROIBottom;
}

void LocalVideoPreviewDimensionsBaseImpl::setROIBottom(std::int32_t value) {
    EnsureUpdateAccess(true);
    m_ROIBottom = std::move(value);
}

std::int32_t LocalVideoPreviewDimensionsBaseImpl::getROIRight() {
    EnsureUpdateAccess(true);
    return m_ROIRight;
}

void LocalVideoPreviewDimensionsBaseImpl::setROIRight(std::int32_t value) {
    EnsureUpdateAccess(true);
    m_ROIRight = std::move(value);
}

std::int32_t LocalVideoPreviewDimensionsBaseImpl::getROIHeight() {
    EnsureUpdateAccess(true);
    return m_ROIHeight;
}

void LocalVideoPreviewDimensionsBaseImpl::setROIHeight(std::int32_t value) {
    EnsureUpdateAccess(true);
    m_ROIHeight = std::move(value);
}

std::int32_t LocalVideoPreviewDimensionsBaseImpl::getROIWidth() {
    EnsureUpdateAccess(true);
    return m_ROIWidth;
}

void LocalVideoPreviewDimensionsBaseImpl::setROIWidth(std::int32_t value) {
    EnsureUpdateAccess(true);
    m_ROIWidth = std::move(value);
}

void* LocalVideoPreviewDimensionsBaseImpl::getWindowHandle() {
    EnsureUpdateAccess(true);
    return m_WindowHandle;
}

void LocalVideoPreviewDimensionsBaseImpl::setWindowHandle(void* value) {
    EnsureUpdateAccess(true);
    m_WindowHandle = std::move(value);
}

void LocalVideoPreviewDimensionsBaseImpl::fireOnWidthChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<LocalVideoPreviewDimensionsObserver>([](auto& observer) { observer.OnWidthChanged(); });
}

void LocalVideoPreviewDimensionsBaseImpl::fireOnHeightChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<LocalVideoPreviewDimensionsObserver>([](auto& observer) { observer.OnHeightChanged(); });
}

void LocalVideoPreviewDimensionsBaseImpl::fireOnROITopChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<LocalVideoPreviewDimensionsObserver>([](auto& observer) { observer.OnROITopChanged(); });
}

void LocalVideoPreviewDimensionsBaseImpl::fireOnROILeftChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<LocalVideoPreviewDimensionsObserver>([](auto& observer) { observer.OnROILeftChanged(); });
}

void LocalVideoPreviewDimensionsBaseImpl::fireOnROIBottomChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<LocalVideoPreviewDimensionsObserver>(
        [](auto& observer) { observer.OnROIBottomChanged(); });
}

void LocalVideoPreviewDimensionsBaseImpl::fireOnROIRightChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<LocalVideoPreviewDimensionsObserver>(
        [](auto& observer) { observer.OnROIRightChanged(); });
}

void LocalVideoPreviewDimensionsBaseImpl::fireOnROIHeightChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<LocalVideoPreviewDimensionsObserver>(
        [](auto& observer) { observer.OnROIHeightChanged(); });
}

void LocalVideoPreviewDimensionsBaseImpl::fireOnROIWidthChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<LocalVideoPreviewDimensionsObserver>(
        [](auto& observer) { observer.OnROIWidthChanged(); });
}

void LocalVideoPreviewDimensionsBaseImpl::fireOnWindowHandleChanged() {
    EnsureUpdateAccess(true);
    notifyObservers<LocalVideoPreviewDimensionsObserver>(
        [](auto& observer) { observer.OnWindowHandleChanged(); });
}

}  // namespace OlvarUnified
