#include "objects/MediaDeviceNotifiersImpl.h"

#include "objects/BusinessObjectDefinitions.h"

namespace OlvarUnified {

void MediaDeviceNotifiersImpl::OnInfoChanged() {
#define MDS_PROPERTY(Name, Type) m_##Name##Notifier.fireInfoIfCreated();
#include "objects/MediaDeviceProperties.def"
}

#define MDS_PROPERTY(Name, Type) MDS_DEFINE_NOTIFIER(MediaDevice, Name)
#include "objects/MediaDeviceProperties.def"

}  // namespace OlvarUnified
