// One run of the module: the host's platform, the module loaded into it and its feature set
// started, and the way back down in the right order.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "DeviceState.h"
#include "HostOptions.h"
#include "HostPlatform.h"
#include "ModuleLoader.h"
#include "velk/Scenario.h"

namespace OlvarUnified {
class FeatureSetAdapter;
class MediaDeviceService;
class ServicesDispatcher;
}  // namespace OlvarUnified

namespace Host {

enum class FileAccess {
    ReadOnly,  // the preferred-device file is left as it is, whatever happens
    Saving,    // the module keeps its lists in the file as it does in the client
};

class HostSession {
public:
    // progress: where the steps of loading and unloading are told; none for a quiet run.
    explicit HostSession(std::ostream* progress = nullptr);
    ~HostSession();  // closes
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Sets the platform up, loads the module and starts its feature set. With ReadOnly the
    // module runs with persisting switched off ("Tellux_SDK_Mode"), so that a command that
    // only looks, or one that fails, never rewrites the file. False with a reason.
    bool open(const HostOptions& options, const olvar::velk::Scenario& scenario, FileAccess access,
              std::string& error);
    // Lets a ReadOnly session write the file from now on: a command that succeeded.
    void allowSaving();
    // Stops the feature set, unloads the module and saves the host's configuration;
    // idempotent. False when the configuration could not be saved.
    bool close();

    OlvarUnified::MediaDeviceService& service() { return *m_service; }
    HostPlatform& platform() { return m_platform; }
    // Runs call on the services dispatcher, the only thread that may touch the service, and
    // returns once it ran.
    void onDispatcher(const std::function<void()>& call, const char* name);
    // Queues call on the services dispatcher and returns at once.
    void postToDispatcher(const std::function<void()>& call, const char* name);
    // Waits until every queue of the process has run what it was given.
    void drain();
    DeviceInUse deviceInUse() const;

private:
    void restoreSaving();

    std::ostream* m_progress;
    HostPlatform m_platform;
    ModuleLoader m_module;
    std::shared_ptr<OlvarUnified::FeatureSetAdapter> m_adapter;
    std::shared_ptr<OlvarUnified::MediaDeviceService> m_service;
    bool m_readOnly = false;
    bool m_hadSdkMode = false;
    std::wstring m_sdkMode;  // the user's own value, put back before the configuration is saved
};

}  // namespace Host
