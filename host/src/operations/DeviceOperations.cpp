#include "DeviceOperations.h"

#include <set>

#include "../DeviceLookup.h"
#include "../DeviceState.h"
#include "../HostSession.h"
#include "MirelCoreUtils/StringUtils.h"
#include "RequestChecks.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {

using DeviceList = std::vector<std::shared_ptr<OlvarUnified::MediaDevice>>;

namespace {

// The type a request names; a usage failure for anything else.
std::optional<MediaDeviceType> parseRequestType(const std::string& type, Outcome& failure) {
    const auto parsed = parseDeviceType(type);
    if (!parsed) failure = Outcome::failure(deviceTypeError(type), kExitUsage);
    return parsed;
}

}  // namespace

DeviceOperations::DeviceOperations(HostSession& session) : m_session(session) {}

Outcome DeviceOperations::listState() {
    std::vector<TypeState> states;
    m_session.onDispatcher([&] { states = readServiceState(m_session.service(), m_session.deviceInUse()); },
                           "Host::list");
    return Outcome::success(toJson(states), serviceStateText(states));
}

DeviceOperations::Found DeviceOperations::find(MediaDeviceType type, const std::string& id) {
    Found found;
    std::string error;
    m_session.onDispatcher(
        [&] {
            found.device = findDevice(m_session.service(), type, id, error);
            if (found.device) found.selectionId = describeDevice(*found.device).selectionId;
        },
        "Host::findDevice");
    if (!found.device) found.failure = Outcome::failure(error);
    return found;
}

Outcome DeviceOperations::prefer(const std::string& typeName, const std::vector<std::string>& ids) {
    Outcome failure;
    const auto type = parseRequestType(typeName, failure);
    if (!type) return failure;
    if (ids.empty()) return Outcome::failure("no device given to put first", kExitUsage);
    auto ordered = std::make_shared<DeviceList>();
    std::set<std::string> given;
    for (const auto& id : ids) {
        auto found = find(*type, id);
        if (!found.device) return found.failure;
        if (!given.insert(found.selectionId).second)
            return Outcome::failure("'" + id + "' names a device given before it", kExitUsage);
        ordered->push_back(found.device);
    }
    m_session.onDispatcher(
        [&] {
            // The module puts the devices a request leaves out before those it names: name them
            // all, the rest after the given ones in their present order.
            auto& service = m_session.service();
            if (auto present = service.getPreferredDeviceList(*type))
                for (const auto& device : *present)
                    if (!given.count(MirelCoreUtils::toString(device->getSelectionId()))) ordered->push_back(device);
            service.modifyPreferredDeviceList(*type, ordered, std::make_shared<DeviceList>());
        },
        "Host::prefer");
    keepLists();
    return typeState(*type);
}

// The device in use lasts as long as the run: at its next start the module puts the first
// plugged-in preferred device in use again (prefer changes that).
Outcome DeviceOperations::select(const std::string& typeName, const std::string& id) {
    Outcome failure;
    const auto type = parseRequestType(typeName, failure);
    if (!type) return failure;
    auto found = find(*type, id);
    if (!found.device) return found.failure;
    m_session.onDispatcher([&] { m_session.service().setCurrentMediaDevice(*type, found.device); }, "Host::select");
    return typeState(*type);
}

// The module keeps a device's volume in its preferred list; the list is persisted so that
// the volume comes back when the device is next put in use.
Outcome DeviceOperations::volume(const std::string& typeName, const std::string& id, int volume) {
    Outcome failure;
    const auto type = parseRequestType(typeName, failure);
    if (!type) return failure;
    if (*type == OlvarUnified::MediaDeviceTypeEnum::CAMERA) return Outcome::failure("cameras have no volume", kExitUsage);
    if (auto error = volumeError(volume); !error.empty()) return Outcome::failure(error, kExitUsage);
    auto found = find(*type, id);
    if (!found.device) return found.failure;
    m_session.onDispatcher([&] { m_session.service().setDeviceVolume(*type, found.device, volume); }, "Host::volume");
    keepLists();
    return typeState(*type);
}

Outcome DeviceOperations::stop(std::optional<long> session) {
    m_session.onDispatcher(
        [&] {
            if (session)
                m_session.service().stopWaveFilePlayout(*session);
            else
                m_session.service().stopAllWaveFilePlayout();
        },
        "Host::stopSounds");
    nlohmann::ordered_json stopped = nlohmann::ordered_json::array();
    if (session) stopped.push_back(*session);
    return Outcome::success({{"stopped", stopped}});
}

void DeviceOperations::keepLists() {
    m_session.drain();
    m_session.allowSaving();
    m_session.onDispatcher([&] { m_session.service().persistPreferredPreferredDeviceList(); }, "Host::persist");
    m_session.drain();
}

Outcome DeviceOperations::typeState(MediaDeviceType type) {
    m_session.drain();
    TypeState state;
    m_session.onDispatcher([&] { state = readTypeState(m_session.service(), type, m_session.deviceInUse()); },
                           "Host::readTypeState");
    return Outcome::success(toJson(state), typeStateText(state));
}

}  // namespace Host
