// Copying one property into a service-held device: set and notify only when it differs.
#pragma once

#include <memory>
#include <string>

#include "MirelCoreUtils/StringUtils.h"
#include "objects/mediaDevice/generated/MediaDeviceBaseImpl.h"

namespace OlvarUnified::DevicePropertyCopy {

struct Exact {
    template <class T>
    bool operator()(const T& a, const T& b) const { return a == b; }
};

struct IgnoringCase {
    bool operator()(const std::wstring& a, const std::wstring& b) const {
        return MirelCoreUtils::caseInsensitiveStringEquals(a, b);
    }
};

// Returns whether the value changed. Without a fire operation the value is set silently.
template <class T, class Equal = Exact>
bool copy(MediaDeviceBaseImpl& target, T (MediaDeviceBaseImpl::*get)(), void (MediaDeviceBaseImpl::*set)(T),
          void (MediaDeviceBaseImpl::*fire)(), const T& value, Equal equal = {}) {
    if (equal((target.*get)(), value)) return false;
    (target.*set)(value);
    if (fire) (target.*fire)();
    return true;
}

// The service's lists only ever hold devices of this module's making.
inline MediaDeviceBaseImpl* asImpl(const std::shared_ptr<MediaDevice>& device) {
    return dynamic_cast<MediaDeviceBaseImpl*>(device.get());
}

}  // namespace OlvarUnified::DevicePropertyCopy

// The getter, setter and fire operation of one property, for copy().
#define MDS_DEVICE_PROPERTY(Name) \
    &MediaDeviceBaseImpl::get##Name, &MediaDeviceBaseImpl::set##Name, &MediaDeviceBaseImpl::fireOn##Name##Changed
// The same without the fire operation: the value is set silently.
#define MDS_DEVICE_PROPERTY_SILENT(Name) &MediaDeviceBaseImpl::get##Name, &MediaDeviceBaseImpl::set##Name, nullptr
