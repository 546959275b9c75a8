#include "featuresets/adapters/mediaDevice/core/MediaDevicePropertyFileConfigStoreResetCallback.h"

#include "featuresets/adapters/mediaDevice/core/ResetDataTarget.h"

namespace OlvarUnified {

MediaDevicePropertyFileConfigStoreResetCallback::MediaDevicePropertyFileConfigStoreResetCallback(
    ResetDataTarget* adapter)
    : m_adapter(adapter) {}

MediaDevicePropertyFileConfigStoreResetCallback::~MediaDevicePropertyFileConfigStoreResetCallback() = default;

std::string MediaDevicePropertyFileConfigStoreResetCallback::getInterfaceName() {
    return "MediaDevicePropertyFileConfigStoreResetCallback";
}

void MediaDevicePropertyFileConfigStoreResetCallback::onResetData() {
    if (m_adapter) m_adapter->resetData();
}

}  // namespace OlvarUnified
