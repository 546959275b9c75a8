#include "CommandSupport.h"

namespace Host {

int runSelect(CommandContext& context) {
    const auto& options = context.options;
    return finish(context, DeviceOperations(context.session).select(options.deviceType, options.deviceId));
}

}  // namespace Host
