#include "../HostSession.h"
#include "../Output.h"
#include "CommandSupport.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {

// The device in use lasts as long as the run: at its next start the module puts the first
// plugged-in preferred device in use again (prefer changes that).
int runSelect(CommandContext& context) {
    const MediaDeviceType type = commandDeviceType(context);
    auto device = findNamedDevice(context, type, context.options.deviceId).device;
    if (!device) return kExitFailure;
    context.session.onDispatcher([&] { context.session.service().setCurrentMediaDevice(type, device); }, "Host::select");
    return reportTypeState(context, type);
}

}  // namespace Host
