#include "CommandSupport.h"

namespace Host {

int runVolume(CommandContext& context) {
    const auto& options = context.options;
    return finish(context,
                  DeviceOperations(context.session).volume(options.deviceType, options.deviceId, options.volume));
}

}  // namespace Host
