#include <map>
#include <string>

#include "../DeviceState.h"
#include "../Commands.h"
#include "../HostSession.h"
#include "../Output.h"
#include "OlvarUnified/TelephonyServiceStandIn.h"

namespace Host {
namespace {

std::map<std::string, std::string> devicesInUse(HostSession& session) {
    std::map<std::string, std::string> inUse;
    const DeviceInUse read = session.deviceInUse();
    for (const auto& entry : kDeviceTypes) inUse[entry.name] = read(entry.type);
    return inUse;
}

nlohmann::ordered_json toJson(const std::map<std::string, std::string>& inUse) {
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (const auto& [type, id] : inUse) object[type] = id.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(id);
    return object;
}

}  // namespace

// The press goes through the host's telephony service, as a headset's would, and reaches
// the module on the services dispatcher; what it did shows in the devices in use.
int runPress(CommandContext& context) {
    const auto& options = context.options;
    auto telephony = context.session.platform().telephonyService();
    if (!telephony) return reportFailure("this host has no telephony service to press buttons through");
    const auto before = devicesInUse(context.session);
    if (!telephony->fireByName(options.event, options.hardwareId, options.argument))
        return reportFailure("the telephony service did not take the button event '" + options.event + "'");
    context.session.drain();
    const auto after = devicesInUse(context.session);

    std::string text = "Pressed " + options.event + " on " + options.hardwareId + "\n";
    for (const auto& entry : kDeviceTypes) {
        const std::string was = before.at(entry.name), now = after.at(entry.name);
        text += std::string(entry.name) + " in use: " + (now.empty() ? "nothing" : now) +
                (was == now ? " (unchanged)" : " (was " + (was.empty() ? std::string("nothing") : was) + ")") + "\n";
    }
    context.output.result({{"event", options.event},
                           {"hardwareId", options.hardwareId},
                           {"before", toJson(before)},
                           {"after", toJson(after)}},
                          text);
    return kExitSuccess;
}

}  // namespace Host
