#include "VideoDeviceScanner.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "velk/HardwareIds.h"

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

// bInterfaceNumber holds two hex digits.
int interfaceNumber(const std::string& text) {
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 16);
    return text.empty() || *end != '\0' || number < 0 || number > 255 ? kNoUsbInterface : static_cast<int>(number);
}

// Walks up from the node's device (the USB interface, or the PCI function) to the first
// folder naming a USB vendor and product, or a PCI vendor and device; a few levels suffice in
// every layout the kernel uses. Empty when neither is found (virtual devices).
std::string busHardwareId(const fs::path& node) {
    std::error_code error;
    const fs::path device = fs::canonical(node / "device", error);
    if (error) return {};
    const std::string interface = firstLine(device / "bInterfaceNumber");
    fs::path folder = device;
    for (int level = 0; level < 4 && folder.has_relative_path(); ++level, folder = folder.parent_path()) {
        const std::string vendor = firstLine(folder / "idVendor");
        const std::string product = firstLine(folder / "idProduct");
        if (!vendor.empty() && !product.empty()) {
            return usbHardwareId(vendor, product, interfaceNumber(interface));
        }
        const std::string pciId = pciHardwareId(firstLine(folder / "vendor"), firstLine(folder / "device"),
                                                firstLine(folder / "subsystem_vendor"),
                                                firstLine(folder / "subsystem_device"));
        if (!pciId.empty()) return pciId;
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
        const std::string busId = busHardwareId(node);
        const std::string bus = busId.rfind("USB", 0) == 0 ? "usb" : busId.empty() ? "" : "pci";
        // A camera without bus ids is known by its driver's name, which, unlike the node's
        // number, stays the same from one boot to the next.
        const std::string hardwareId = busId.empty() ? namedHardwareId("V4L\\", name) : busId;
        devices.push_back(std::make_shared<ExtendedDeviceInfo>(DEVICE_KIND_CAPTURE, name, "/dev/" + nodeName,
                                                               hardwareId, "", bus, name, nodeName));
    }
    return devices;
}

}  // namespace olvar::velk
