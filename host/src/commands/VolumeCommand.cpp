#include "../HostSession.h"
#include "../Output.h"
#include "CommandSupport.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {

// The module keeps a device's volume in its preferred list; the list is persisted so that
// the volume comes back when the device is next put in use.
int runVolume(CommandContext& context) {
    const MediaDeviceType type = commandDeviceType(context);
    auto device = findNamedDevice(context, type, context.options.deviceId).device;
    if (!device) return kExitFailure;
    context.session.onDispatcher(
        [&] { context.session.service().setDeviceVolume(type, device, context.options.volume); }, "Host::volume");
    keepLists(context);
    return reportTypeState(context, type);
}

}  // namespace Host
