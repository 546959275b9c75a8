// Forwards the host's reset-data request to the adapter, which deletes the properties file.
#pragma once

#include <string>

#include "OlvarUnified/SystemService.h"

namespace OlvarUnified {

class ResetDataTarget;

class MediaDevicePropertyFileConfigStoreResetCallback : public ProviderResetDataCallback {
public:
    // The target is not owned; it outlives the callback's registration.
    explicit MediaDevicePropertyFileConfigStoreResetCallback(ResetDataTarget* adapter);
    ~MediaDevicePropertyFileConfigStoreResetCallback() override;

    std::string getInterfaceName() override;
    void onResetData() override;

private:
    ResetDataTarget* m_adapter;
};

}  // namespace OlvarUnified
