// The operations on the service that the command line's subcommands and the settings page's
// requests share: each takes parsed arguments and gives an Outcome. Call them from any thread
// but the services dispatcher; they run their steps there and wait for them.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../DeviceTypes.h"
#include "Outcome.h"

namespace Host {

class HostSession;

class DeviceOperations {
public:
    explicit DeviceOperations(HostSession& session);

    // The list --json document: every type's preferred, available and current devices.
    Outcome listState();
    // Puts the devices first in the order given and keeps the lists in the file.
    Outcome prefer(const std::string& type, const std::vector<std::string>& ids);
    Outcome select(const std::string& type, const std::string& id);
    Outcome volume(const std::string& type, const std::string& id, int volume);
    // Stops one playback session, or all of them when session is empty.
    Outcome stop(std::optional<long> session);

    struct Found {
        std::shared_ptr<OlvarUnified::MediaDevice> device;  // touch it on the services dispatcher only
        std::string selectionId;
        Outcome failure;  // when device is empty
    };
    // The device of that type that id names, as DeviceLookup finds it.
    Found find(MediaDeviceType type, const std::string& id);

private:
    Outcome typeState(MediaDeviceType type);
    void keepLists();

    HostSession& m_session;
};

}  // namespace Host
