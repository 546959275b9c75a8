#include "objects/CompositeMediaDeviceNotifiersImpl.h"

#include "objects/BusinessObjectDefinitions.h"

namespace OlvarUnified {

void CompositeMediaDeviceNotifiersImpl::OnInfoChanged() {
#define MDS_PROPERTY(Name, Type) m_##Name##Notifier.fireInfoIfCreated();
#include "objects/CompositeMediaDeviceProperties.def"
}

#define MDS_PROPERTY(Name, Type) MDS_DEFINE_NOTIFIER(CompositeMediaDevice, Name)
#define MDS_LIST_PROPERTY(Name) MDS_DEFINE_LIST_NOTIFIER(CompositeMediaDevice, Name)
#include "objects/CompositeMediaDeviceProperties.def"

}  // namespace OlvarUnified
