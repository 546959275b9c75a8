#include "CommandSupport.h"

namespace Host {

int runList(CommandContext& context) { return finish(context, DeviceOperations(context.session).listState()); }

}  // namespace Host
