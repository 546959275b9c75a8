// Notifier set of a CompositeMediaDevice: one notifier per property, in table order.
// GENERATED from CompositeMediaDeviceProperties.def by services/mediadeviceservice/tools/generate_objects.py.
// Do not edit: change the table, then build the target regenerate-objects.
#pragma once

#include <memory>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"

namespace OlvarUnified {

class MDS_EXPORT CompositeMediaDeviceNotifiers : public virtual UnifiedBusinessObjectNotifiers {
public:
    virtual std::shared_ptr<PropertyListNotifier<MediaDevice>> getMediaDevicesNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getNameNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getFullNameNotifier() = 0;
    virtual std::shared_ptr<PropertyNotifier> getCompositeTypeNotifier() = 0;
};

}  // namespace OlvarUnified
