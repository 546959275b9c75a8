#include "PulseDeviceProperties.h"

#include <cctype>
#include <cstdio>

namespace olvar::velk {

namespace {

std::string property(const pa_proplist* properties, const char* key) {
    if (properties == nullptr) return {};
    const char* value = pa_proplist_gets(properties, key);
    return value ? value : "";
}

// Four upper-case hex digits, or empty when text is not a hex number of 1..4 digits
// (an optional "0x" prefix allowed).
std::string usbId(std::string text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.erase(0, 2);
    if (text.empty() || text.size() > 4) return {};
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return {};
    }
    std::string id(4 - text.size(), '0');
    for (char c : text) id += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return id;
}

}  // namespace

std::string pulseHardwareId(const pa_proplist* properties) {
    const std::string vendor = usbId(property(properties, "device.vendor.id"));
    const std::string product = usbId(property(properties, "device.product.id"));
    if (vendor.empty() || product.empty()) return {};
    std::string id = "USB\\VID_" + vendor + "&PID_" + product;
    const std::string serial = property(properties, "device.serial");
    if (!serial.empty()) id += "\\" + serial;
    return id;
}

DeviceInfoPtr makePulseDeviceInfo(int kind, const char* name, const char* description, const pa_proplist* properties) {
    const std::string selectionId = name ? name : "";
    const std::string text = description && *description ? description : selectionId;
    return std::make_shared<ExtendedDeviceInfo>(kind, text, selectionId, pulseHardwareId(properties),
                                                property(properties, "device.vendor.name"),
                                                property(properties, "device.bus"), text,
                                                property(properties, "device.bus_path"));
}

}  // namespace olvar::velk
