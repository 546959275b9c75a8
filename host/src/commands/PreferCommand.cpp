#include <set>
#include <vector>

#include "../HostSession.h"
#include "../Output.h"
#include "CommandSupport.h"
#include "MirelCoreUtils/StringUtils.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {

int runPrefer(CommandContext& context) {
    const MediaDeviceType type = commandDeviceType(context);
    using DeviceList = std::vector<std::shared_ptr<OlvarUnified::MediaDevice>>;
    auto ordered = std::make_shared<DeviceList>();
    std::set<std::string> given;
    for (const auto& id : context.options.deviceIds) {
        auto named = findNamedDevice(context, type, id);
        if (!named.device) return kExitFailure;
        if (!given.insert(named.selectionId).second)
            return reportFailure("'" + id + "' names a device given before it", kExitUsage);
        ordered->push_back(named.device);
    }
    context.session.onDispatcher(
        [&] {
            // The module puts the devices a request leaves out before those it names: name them
            // all, the rest after the given ones in their present order.
            auto& service = context.session.service();
            if (auto present = service.getPreferredDeviceList(type))
                for (const auto& device : *present)
                    if (!given.count(MirelCoreUtils::toString(device->getSelectionId()))) ordered->push_back(device);
            service.modifyPreferredDeviceList(type, ordered, std::make_shared<DeviceList>());
        },
        "Host::prefer");
    keepLists(context);
    return reportTypeState(context, type);
}

}  // namespace Host
