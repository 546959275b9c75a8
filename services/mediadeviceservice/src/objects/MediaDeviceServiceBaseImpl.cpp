#include "objects/MediaDeviceServiceBaseImpl.h"

#include "module/ModuleStatics.h"
#include "objects/BusinessObjectDefinitions.h"
#include "objects/MediaDeviceServiceNotifiersImpl.h"

namespace OlvarUnified {

MediaDeviceServiceBaseImpl::MediaDeviceServiceBaseImpl(std::shared_ptr<UnifiedFactory> factory)
    : UnifiedServiceImpl(std::move(factory), ClassNames::MediaDeviceServiceBaseImpl) {}

MediaDeviceServiceBaseImpl::~MediaDeviceServiceBaseImpl() = default;

MDS_DEFINE_OBJECT_OBSERVERS(MediaDeviceService)

#define MDS_PROPERTY(Name, Type) MDS_DEFINE_PROPERTY(MediaDeviceService, Name, Type)
#define MDS_LIST_PROPERTY(Name) MDS_DEFINE_LIST_PROPERTY(MediaDeviceService, Name)
#include "objects/MediaDeviceServiceProperties.def"

}  // namespace OlvarUnified
