#include "CommandSupport.h"

namespace Host {

int runPrefer(CommandContext& context) {
    const auto& options = context.options;
    return finish(context, DeviceOperations(context.session).prefer(options.deviceType, options.deviceIds));
}

}  // namespace Host
