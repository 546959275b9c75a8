#include "objects/LocalVideoPreviewDimensionsBaseImpl.h"

#include "module/ModuleStatics.h"
#include "objects/BusinessObjectDefinitions.h"
#include "objects/LocalVideoPreviewDimensionsNotifiersImpl.h"

namespace OlvarUnified {

LocalVideoPreviewDimensionsBaseImpl::LocalVideoPreviewDimensionsBaseImpl(std::shared_ptr<UnifiedFactory> factory)
    : UnifiedBusinessObjectImpl(std::move(factory), ClassNames::LocalVideoPreviewDimensionsBaseImpl) {}

LocalVideoPreviewDimensionsBaseImpl::~LocalVideoPreviewDimensionsBaseImpl() = default;

MDS_DEFINE_OBJECT_OBSERVERS(LocalVideoPreviewDimensions)

#define MDS_PROPERTY(Name, Type) MDS_DEFINE_PROPERTY(LocalVideoPreviewDimensions, Name, Type)
#include "objects/LocalVideoPreviewDimensionsProperties.def"

}  // namespace OlvarUnified
