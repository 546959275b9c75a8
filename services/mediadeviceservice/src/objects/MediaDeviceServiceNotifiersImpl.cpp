#include "objects/MediaDeviceServiceNotifiersImpl.h"

#include "objects/BusinessObjectDefinitions.h"

namespace OlvarUnified {

void MediaDeviceServiceNotifiersImpl::OnInfoChanged() {
    UnifiedServiceNotifiersImpl::OnInfoChanged();
#define MDS_PROPERTY(Name, Type) m_##Name##Notifier.fireInfoIfCreated();
#include "objects/MediaDeviceServiceProperties.def"
}

#define MDS_PROPERTY(Name, Type) MDS_DEFINE_NOTIFIER(MediaDeviceService, Name)
#define MDS_LIST_PROPERTY(Name) MDS_DEFINE_LIST_NOTIFIER(MediaDeviceService, Name)
#include "objects/MediaDeviceServiceProperties.def"

}  // namespace OlvarUnified
