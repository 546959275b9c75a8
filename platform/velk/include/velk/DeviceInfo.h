// One device as the device manager reports it.
#pragma once

#include <string>

#define OLVAR_API __attribute__((visibility("default")))

namespace olvar::velk {

enum DeviceKind : int {
    DEVICE_KIND_RECORDING = 1,  // microphone
    DEVICE_KIND_PLAYBACK = 2,   // speaker
    DEVICE_KIND_CAPTURE = 4,    // camera
};

class OLVAR_API DeviceInfo {
public:
    DeviceInfo(int kind, std::string name, std::string selectionId, std::string hardwareId, std::string vendor)
        : m_kind(kind), m_name(std::move(name)), m_selectionId(std::move(selectionId)),
          m_hardwareId(std::move(hardwareId)), m_vendor(std::move(vendor)) {}
    virtual ~DeviceInfo() = default;

    int getKind() const { return m_kind; }
    const std::string& getName() const { return m_name; }
    const std::string& getSelectionId() const { return m_selectionId; }
    const std::string& getHardwareId() const { return m_hardwareId; }
    const std::string& getVendor() const { return m_vendor; }
    std::string getKindText() const {
        switch (m_kind) {
            case DEVICE_KIND_RECORDING: return "Recording";
            case DEVICE_KIND_PLAYBACK: return "Playback";
            case DEVICE_KIND_CAPTURE: return "Capture";
            default: return "Unknown";
        }
    }

private:
    int m_kind;
    std::string m_name;
    std::string m_selectionId;
    std::string m_hardwareId;
    std::string m_vendor;
};

// The further identity fields some backends know.
class OLVAR_API ExtendedDeviceInfo : public DeviceInfo {
public:
    ExtendedDeviceInfo(int kind, std::string name, std::string selectionId, std::string hardwareId, std::string vendor,
                       std::string deviceInterface, std::string friendlyName, std::string instanceId)
        : DeviceInfo(kind, std::move(name), std::move(selectionId), std::move(hardwareId), std::move(vendor)),
          m_deviceInterface(std::move(deviceInterface)), m_friendlyName(std::move(friendlyName)),
          m_instanceId(std::move(instanceId)) {}

    const std::string& getDeviceInterface() const { return m_deviceInterface; }
    const std::string& getFriendlyName() const { return m_friendlyName; }
    const std::string& getInstanceId() const { return m_instanceId; }

private:
    std::string m_deviceInterface;
    std::string m_friendlyName;
    std::string m_instanceId;
};

}  // namespace olvar::velk
