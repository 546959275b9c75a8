// Notifier set of a MediaDevice: one notifier per property.
#pragma once

#include <memory>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"

namespace OlvarUnified {

class MDS_EXPORT MediaDeviceNotifiers : public virtual UnifiedBusinessObjectNotifiers {
public:
    // get<Property>Notifier() for each property, in table order.
#define MDS_PROPERTY(Name, Type) virtual std::shared_ptr<PropertyNotifier> get##Name##Notifier() = 0;
#include "objects/MediaDeviceProperties.def"
};

}  // namespace OlvarUnified
