#include "objects/MediaDeviceBaseImpl.h"

#include "module/ModuleStatics.h"
#include "objects/BusinessObjectDefinitions.h"
#include "objects/MediaDeviceNotifiersImpl.h"

namespace OlvarUnified {

MediaDeviceBaseImpl::MediaDeviceBaseImpl(std::shared_ptr<UnifiedFactory> factory)
    : UnifiedBusinessObjectImpl(std::move(factory), ClassNames::MediaDeviceBaseImpl) {}

MediaDeviceBaseImpl::~MediaDeviceBaseImpl() = default;

MDS_DEFINE_OBJECT_OBSERVERS(MediaDevice)

#define MDS_PROPERTY(Name, Type) MDS_DEFINE_PROPERTY(MediaDevice, Name, Type)
#include "objects/MediaDeviceProperties.def"

}  // namespace OlvarUnified
