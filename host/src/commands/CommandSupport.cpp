#include "CommandSupport.h"

#include "../DeviceLookup.h"
#include "../DeviceState.h"
#include "../HostSession.h"
#include "../Output.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {

MediaDeviceType commandDeviceType(const CommandContext& context) {
    return parseDeviceType(context.options.deviceType).value_or(OlvarUnified::MediaDeviceTypeEnum::SPEAKER);
}

NamedDevice findNamedDevice(CommandContext& context, MediaDeviceType type, const std::string& id) {
    NamedDevice named;
    std::string error;
    context.session.onDispatcher(
        [&] {
            named.device = findDevice(context.session.service(), type, id, error);
            if (named.device) named.selectionId = describeDevice(*named.device).selectionId;
        },
        "Host::findDevice");
    if (!named.device) reportFailure(error);
    return named;
}

void keepLists(CommandContext& context) {
    context.session.drain();
    context.session.allowSaving();
    context.session.onDispatcher([&] { context.session.service().persistPreferredPreferredDeviceList(); },
                                 "Host::persist");
    context.session.drain();
}

int reportTypeState(CommandContext& context, MediaDeviceType type) {
    context.session.drain();
    TypeState state;
    context.session.onDispatcher(
        [&] { state = readTypeState(context.session.service(), type, context.session.deviceInUse()); },
        "Host::readTypeState");
    context.output.result(toJson(state), typeStateText(state));
    return kExitSuccess;
}

}  // namespace Host
