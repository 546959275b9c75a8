#include "VideoDeviceScanner.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace olvar::velk {

namespace fs = std::filesystem;

namespace {

std::string firstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    return line;
}

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Walks up from the node's device (the USB interface) to the first folder naming a USB
// vendor and product; a few levels suffice in every layout the kernel uses.
std::string usbHardwareId(const fs::path& node) {
    std::error_code error;
    const fs::path device = fs::canonical(node / "device", error);
    if (error) return {};
    const std::string interface = firstLine(device / "bInterfaceNumber");
    fs::path folder = device;
    for (int level = 0; level < 4 && folder.has_relative_path(); ++level, folder = folder.parent_path()) {
        const std::string vendor = firstLine(folder / "idVendor");
        const std::string product = firstLine(folder / "idProduct");
        if (vendor.empty() || product.empty()) continue;
        std::string id = "USB\\VID_" + upper(vendor) + "&PID_" + upper(product);
        if (!interface.empty()) id += "&MI_" + upper(interface);
        return id;
    }
    return {};
}

bool isCaptureNode(const fs::path& node) {
    const std::string index = firstLine(node / "index");
    return index.empty() || index == "0";
}

}  // namespace

DeviceInfoList scanVideoDevices(const std::string& classRoot) {
    std::vector<fs::path> nodes;
    std::error_code error;
    for (fs::directory_iterator it(classRoot, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.rfind("video", 0) == 0 && isCaptureNode(it->path())) nodes.push_back(it->path());
    }
    std::sort(nodes.begin(), nodes.end());
    DeviceInfoList devices;
    for (const fs::path& node : nodes) {
        const std::string nodeName = node.filename().string();
        std::string name = firstLine(node / "name");
        if (name.empty()) name = nodeName;
        const std::string hardwareId = usbHardwareId(node);
        devices.push_back(std::make_shared<ExtendedDeviceInfo>(DEVICE_KIND_CAPTURE, name, "/dev/" + nodeName,
                                                               hardwareId, "", hardwareId.empty() ? "" : "usb", name,
                                                               nodeName));
    }
    return devices;
}

}  // namespace olvar::velk
