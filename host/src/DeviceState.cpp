#include "DeviceState.h"

#include <iomanip>
#include <sstream>

#include "MirelCoreUtils/StringUtils.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {
namespace {

std::vector<DeviceEntry> entriesOf(const OlvarUnified::DeviceList& list, const std::string& currentId) {
    std::vector<DeviceEntry> entries;
    if (!list) return entries;
    for (const auto& device : *list) {
        if (!device) continue;
        entries.push_back(describeDevice(*device));
        entries.back().current = entries.back().selectionId == currentId;
    }
    return entries;
}

nlohmann::ordered_json toJson(const std::vector<DeviceEntry>& devices) {
    auto list = nlohmann::ordered_json::array();
    for (const auto& device : devices) list.push_back(toJson(device));
    return list;
}

void printList(std::ostream& out, const char* heading, const std::vector<DeviceEntry>& devices, MediaDeviceType type) {
    out << "  " << heading << ":";
    if (devices.empty()) {
        out << " none\n";
        return;
    }
    out << "\n";
    int position = 1;
    for (const auto& device : devices)
        out << "    " << std::setw(2) << position++ << ". " << deviceText(device, type)
            << (device.current ? "  <- current" : "") << "\n";
}

}  // namespace

DeviceEntry describeDevice(OlvarUnified::MediaDevice& device) {
    DeviceEntry entry;
    entry.name = MirelCoreUtils::toString(device.getName());
    entry.selectionId = MirelCoreUtils::toString(device.getSelectionId());
    entry.hardwareId = MirelCoreUtils::toString(device.getHardwareId());
    entry.pluggedIn = device.getIsPluggedIn();
    entry.volume = device.getDeviceVolume();
    return entry;
}

TypeState readTypeState(OlvarUnified::MediaDeviceService& service, MediaDeviceType type, const DeviceInUse& inUse) {
    TypeState state;
    state.type = type;
    auto current = service.getCurrentDevice(type);
    if (current) {
        state.current = describeDevice(*current);
        state.current->current = true;
    }
    const std::string currentId = state.current ? state.current->selectionId : std::string();
    state.preferred = entriesOf(service.getPreferredDeviceList(type), currentId);
    state.available = entriesOf(service.getAvailableDeviceList(type), currentId);
    if (inUse) state.inUse = inUse(type);
    return state;
}

std::vector<TypeState> readServiceState(OlvarUnified::MediaDeviceService& service, const DeviceInUse& inUse) {
    std::vector<TypeState> states;
    for (const auto& entry : kDeviceTypes) states.push_back(readTypeState(service, entry.type, inUse));
    return states;
}

nlohmann::ordered_json toJson(const DeviceEntry& device) {
    return {{"name", device.name},           {"selectionId", device.selectionId}, {"hardwareId", device.hardwareId},
            {"pluggedIn", device.pluggedIn}, {"volume", device.volume},           {"current", device.current}};
}

nlohmann::ordered_json toJson(const TypeState& state) {
    return {{"type", deviceTypeName(state.type)},
            {"preferred", toJson(state.preferred)},
            {"available", toJson(state.available)},
            {"current", state.current ? toJson(*state.current) : nlohmann::ordered_json()},
            {"inUse", state.inUse.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(state.inUse)}};
}

nlohmann::ordered_json toJson(const std::vector<TypeState>& states) {
    auto types = nlohmann::ordered_json::array();
    for (const auto& state : states) types.push_back(toJson(state));
    return {{"types", types}};
}

std::string deviceText(const DeviceEntry& device, MediaDeviceType type) {
    std::string text = device.name + " [" + device.selectionId + "]";
    if (!device.pluggedIn) text += " unplugged";
    if (type != OlvarUnified::MediaDeviceTypeEnum::CAMERA) text += ", volume " + std::to_string(device.volume);
    return text;
}

std::string typeStateText(const TypeState& state) {
    std::ostringstream out;
    for (const auto& entry : kDeviceTypes)
        if (entry.type == state.type) out << entry.title << "\n";
    printList(out, "preferred", state.preferred, state.type);
    printList(out, "available", state.available, state.type);
    out << "  current: " << (state.current ? deviceText(*state.current, state.type) : std::string("none")) << "\n";
    out << "  telephony uses: " << (state.inUse.empty() ? std::string("nothing yet") : state.inUse) << "\n";
    return out.str();
}

std::string serviceStateText(const std::vector<TypeState>& states) {
    std::string text;
    for (const auto& state : states) text += typeStateText(state);
    return text;
}

}  // namespace Host
