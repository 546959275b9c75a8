// Steps several subcommands share: finding the device named on the command line, keeping
// the lists, and printing one type's state.
#pragma once

#include <memory>
#include <string>

#include "../Commands.h"
#include "../DeviceTypes.h"

namespace OlvarUnified {
class MediaDevice;
}

namespace Host {

class SoundPlayback;

// The device type the command line names (checked while parsing).
MediaDeviceType commandDeviceType(const CommandContext& context);
struct NamedDevice {
    std::shared_ptr<OlvarUnified::MediaDevice> device;  // touch it on the services dispatcher only
    std::string selectionId;
};
// The device of that type named id; an empty device after reporting why.
NamedDevice findNamedDevice(CommandContext& context, MediaDeviceType type, const std::string& id);
// Lets the session write the file and has the module persist its lists, then waits for it.
void keepLists(CommandContext& context);
// Prints the type's state as the result of the command; returns success.
int reportTypeState(CommandContext& context, MediaDeviceType type);
// Checks that the module can play the options' file and starts it as they say; false after
// reporting why not.
bool startPlaying(CommandContext& context, SoundPlayback& playback);

}  // namespace Host
