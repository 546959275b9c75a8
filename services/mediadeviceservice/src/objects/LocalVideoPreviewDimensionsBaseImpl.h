// Stored properties of a LocalVideoPreviewDimensions. Setters only store; the owner notifies with
// fireOn<Property>Changed(), which reaches every LocalVideoPreviewDimensionsObserver and the notifier set.
#pragma once

#include <memory>

#include "OlvarUnified/UnifiedBusinessObjectImpl.h"
#include "module/Export.h"
#include "objects/LocalVideoPreviewDimensions.h"

namespace OlvarUnified {

class UnifiedFactory;

class MDS_EXPORT LocalVideoPreviewDimensionsBaseImpl : public UnifiedBusinessObjectImpl, public LocalVideoPreviewDimensions {
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

    // Per property, in table order: getter, setter, fire.
#define MDS_PROPERTY(Name, Type)          \
    Type get##Name() override;            \
    virtual void set##Name(Type value);   \
    void fireOn##Name##Changed();
#include "objects/LocalVideoPreviewDimensionsProperties.def"

private:
#define MDS_PROPERTY(Name, Type) Type m_##Name{};
#include "objects/LocalVideoPreviewDimensionsProperties.def"
};

}  // namespace OlvarUnified
