#include "velk/HardwareIds.h"

#include <cctype>
#include <cstdio>

namespace olvar::velk {

namespace {

bool isHex(const std::string& text) {
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return !text.empty();
}

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Four upper-case hex digits, or empty when text is not a hex number of 1..4 digits (an
// optional "0x" prefix allowed).
std::string fourHexDigits(std::string text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.erase(0, 2);
    if (text.size() > 4 || !isHex(text)) return {};
    return std::string(4 - text.size(), '0') + upper(text);
}

// A decimal number of one to three digits, or -1.
int smallNumber(const std::string& decimal) {
    if (decimal.empty() || decimal.size() > 3) return -1;
    for (char c : decimal)
        if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    return std::stoi(decimal);
}

bool isVendorOrProductMark(const std::string& name, std::size_t at) {
    if (at + 2 >= name.size() || std::toupper(static_cast<unsigned char>(name[at + 1])) != 'I' ||
        std::toupper(static_cast<unsigned char>(name[at + 2])) != 'D')
        return false;
    const char first = static_cast<char>(std::toupper(static_cast<unsigned char>(name[at])));
    return first == 'V' || first == 'P';
}

}  // namespace

std::string usbHardwareId(const std::string& vendor, const std::string& product, int interfaceNumber,
                          const std::string& serial) {
    const std::string vendorId = fourHexDigits(vendor);
    const std::string productId = fourHexDigits(product);
    if (vendorId.empty() || productId.empty()) return {};
    std::string id = "USB\\VID_" + vendorId + "&PID_" + productId;
    if (interfaceNumber >= 0 && interfaceNumber <= 255) {
        char digits[3];
        std::snprintf(digits, sizeof(digits), "%02X", interfaceNumber);
        id += "&MI_" + std::string(digits);
    }
    if (!serial.empty()) id += "\\" + serial;
    return id;
}

std::string pciHardwareId(const std::string& vendor, const std::string& device, const std::string& subsystemVendor,
                          const std::string& subsystemDevice) {
    const std::string vendorId = fourHexDigits(vendor);
    const std::string deviceId = fourHexDigits(device);
    if (vendorId.empty() || deviceId.empty()) return {};
    std::string id = "PCI\\VEN_" + vendorId + "&DEV_" + deviceId;
    const std::string subVendor = fourHexDigits(subsystemVendor);
    const std::string subDevice = fourHexDigits(subsystemDevice);
    if (!subVendor.empty() && !subDevice.empty()) id += "&SUBSYS_" + subDevice + subVendor;
    return id;
}

std::string bluetoothHardwareId(const std::string& address) {
    std::string digits;
    for (std::size_t at = 0; at < address.size(); at += 3) {
        const std::string byte = address.substr(at, 2);
        if (byte.size() != 2 || !isHex(byte)) return {};
        if (at + 2 < address.size() && address[at + 2] != ':' && address[at + 2] != '_' && address[at + 2] != '-')
            return {};
        digits += upper(byte);
    }
    if (digits.size() != 12) return {};
    return "BT\\DEV_" + digits;
}

std::string namedHardwareId(const std::string& prefix, const std::string& name) {
    std::string id = prefix;
    for (std::size_t at = 0; at < name.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(name[at]);
        // The 'I' of every "vid" and "pid", in any letter case, is escaped, so no pair remains.
        const bool breaksMark = at > 0 && isVendorOrProductMark(name, at - 1);
        if (c == '\\' || c == '&' || c == '%' || c < 0x20 || c == 0x7f || breaksMark) {
            char escaped[4];
            std::snprintf(escaped, sizeof(escaped), "%%%02X", c);
            id += escaped;
        } else {
            id += static_cast<char>(c);
        }
    }
    return id + "\\";
}

int usbInterfaceFromBusPath(const std::string& busPath) {
    const std::size_t usb = busPath.rfind("-usb-");
    if (usb == std::string::npos) return kNoUsbInterface;
    const std::string port = busPath.substr(usb + 5);
    const std::size_t colon = port.rfind(':');
    const std::size_t dot = colon == std::string::npos ? colon : port.find('.', colon);
    if (dot == std::string::npos) return kNoUsbInterface;
    const int number = smallNumber(port.substr(dot + 1));
    return number >= 0 && number <= 255 ? number : kNoUsbInterface;
}

}  // namespace olvar::velk
