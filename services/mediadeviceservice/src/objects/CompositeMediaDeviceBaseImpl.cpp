#include "objects/CompositeMediaDeviceBaseImpl.h"

#include "module/ModuleStatics.h"
#include "objects/BusinessObjectDefinitions.h"
#include "objects/CompositeMediaDeviceNotifiersImpl.h"

namespace OlvarUnified {

CompositeMediaDeviceBaseImpl::CompositeMediaDeviceBaseImpl(std::shared_ptr<UnifiedFactory> factory)
    : UnifiedBusinessObjectImpl(std::move(factory), ClassNames::CompositeMediaDeviceBaseImpl) {}

CompositeMediaDeviceBaseImpl::~CompositeMediaDeviceBaseImpl() = default;

MDS_DEFINE_OBJECT_OBSERVERS(CompositeMediaDevice)

#define MDS_PROPERTY(Name, Type) MDS_DEFINE_PROPERTY(CompositeMediaDevice, Name, Type)
#define MDS_LIST_PROPERTY(Name) MDS_DEFINE_LIST_PROPERTY(CompositeMediaDevice, Name)
#include "objects/CompositeMediaDeviceProperties.def"

}  // namespace OlvarUnified
