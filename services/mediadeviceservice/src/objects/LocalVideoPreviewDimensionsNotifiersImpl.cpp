#include "objects/LocalVideoPreviewDimensionsNotifiersImpl.h"

#include "objects/BusinessObjectDefinitions.h"

namespace OlvarUnified {

void LocalVideoPreviewDimensionsNotifiersImpl::OnInfoChanged() {
#define MDS_PROPERTY(Name, Type) m_##Name##Notifier.fireInfoIfCreated();
#include "objects/LocalVideoPreviewDimensionsProperties.def"
}

#define MDS_PROPERTY(Name, Type) MDS_DEFINE_NOTIFIER(LocalVideoPreviewDimensions, Name)
#include "objects/LocalVideoPreviewDimensionsProperties.def"

}  // namespace OlvarUnified
