// Forwards the host's reset-data request to the adapter, which deletes the properties file.
#pragma once

#include <string>

#include "OlvarUnified/SystemService.h"

namespace OlvarUnified {

class MediaDeviceAdapter;

class MediaDevicePropertyFileConfigStoreResetCallback : public ProviderResetDataCallback {
public:
    // The adapter is not owned; it outlives the callback's registration.
    explicit MediaDevicePropertyFileConfigStoreResetCallback(MediaDeviceAdapter* adapter);
    ~MediaDevicePropertyFileConfigStoreResetCallback() override;

    std::string getInterfaceName() override;
    void onResetData() override;

private:
    MediaDeviceAdapter* m_adapter;
};

}  // namespace OlvarUnified
