#include "PulseDeviceProperties.h"

#include "velk/HardwareIds.h"

namespace olvar::velk {

namespace {

std::string property(const pa_proplist* properties, const char* key) {
    if (properties == nullptr) return {};
    const char* value = pa_proplist_gets(properties, key);
    return value ? value : "";
}

// PulseAudio spells the key with an underscore, PipeWire's nodes with a dash.
std::string busPath(const pa_proplist* properties) {
    const std::string path = property(properties, "device.bus_path");
    return path.empty() ? property(properties, "device.bus-path") : path;
}

std::string busHardwareId(const pa_proplist* properties) {
    const std::string bus = property(properties, "device.bus");
    if (bus == "bluetooth") {
        const std::string address = property(properties, "api.bluez5.address");
        return bluetoothHardwareId(address.empty() ? property(properties, "device.string") : address);
    }
    const std::string vendor = property(properties, "device.vendor.id");
    const std::string product = property(properties, "device.product.id");
    if (bus == "pci") return pciHardwareId(vendor, product);
    // Ids without a bus are USB ids: that is how headsets were always recognised here.
    if (bus.empty() || bus == "usb")
        return usbHardwareId(vendor, product, usbInterfaceFromBusPath(busPath(properties)),
                             property(properties, "device.serial"));
    return {};
}

}  // namespace

std::string pulseHardwareId(const std::string& serverName, const pa_proplist* properties) {
    const std::string id = busHardwareId(properties);
    return id.empty() ? namedHardwareId("SRV\\", serverName) : id;
}

DeviceInfoPtr makePulseDeviceInfo(int kind, const char* name, const char* description, const pa_proplist* properties) {
    const std::string selectionId = name ? name : "";
    const std::string text = description && *description ? description : selectionId;
    return std::make_shared<ExtendedDeviceInfo>(kind, text, selectionId, pulseHardwareId(selectionId, properties),
                                                property(properties, "device.vendor.name"),
                                                property(properties, "device.bus"), text, busPath(properties));
}

}  // namespace olvar::velk
