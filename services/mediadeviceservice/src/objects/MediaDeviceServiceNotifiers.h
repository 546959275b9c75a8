// Notifier set of the MediaDeviceService: one notifier per property.
#pragma once

#include <memory>

#include "OlvarUnified/UnifiedService.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class MDS_EXPORT MediaDeviceServiceNotifiers : public virtual UnifiedServiceNotifiers {
public:
    // get<Property>Notifier() for each property, in table order.
#define MDS_PROPERTY(Name, Type) virtual std::shared_ptr<PropertyNotifier> get##Name##Notifier() = 0;
#define MDS_LIST_PROPERTY(Name) virtual std::shared_ptr<PropertyListNotifier<MediaDevice>> get##Name##Notifier() = 0;
#include "objects/MediaDeviceServiceProperties.def"
};

}  // namespace OlvarUnified
