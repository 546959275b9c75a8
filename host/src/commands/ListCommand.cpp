#include "../Commands.h"
#include "../DeviceState.h"
#include "../HostSession.h"
#include "../Output.h"

namespace Host {

int runList(CommandContext& context) {
    std::vector<TypeState> states;
    context.session.onDispatcher(
        [&] { states = readServiceState(context.session.service(), context.session.deviceInUse()); }, "Host::list");
    context.output.result(toJson(states), serviceStateText(states));
    return kExitSuccess;
}

}  // namespace Host
