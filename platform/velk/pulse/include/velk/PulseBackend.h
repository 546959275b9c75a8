// A device manager on a PulseAudio sound server (or a server compatible with it), with
// cameras from the kernel's video4linux class in sysfs.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "velk/VelkWrapper.h"

namespace olvar::velk {

class PulseBackendImpl;

struct PulseBackendOptions {
    std::string server;  // empty: the client library's default (PULSE_SERVER, then the user's)
    std::string clientName = "MediaDeviceService";
    // How long to wait before trying again while the server is absent or after it died.
    std::chrono::milliseconds reconnectInterval{1000};
    // Folder laid out like /sys/class/video4linux; empty: no cameras.
    std::string videoClassRoot = "/sys/class/video4linux";
    // sysfs raises no file events, so cameras are found by rescanning this often.
    std::chrono::milliseconds cameraPollInterval{1000};
};

class OLVAR_API PulseBackend : public DeviceBackend {
public:
    // Starts connecting at once; an unreachable server is retried in the background.
    explicit PulseBackend(PulseBackendOptions options = {});
    ~PulseBackend() override;
    PulseBackend(const PulseBackend&) = delete;
    PulseBackend& operator=(const PulseBackend&) = delete;

    std::shared_ptr<CommunicationsDeviceManager> manager() override;
    DeviceInfoList devices(int kind) override;
    DeviceInfoPtr defaultDevice(int kind) override;
    void setAlertsDeviceName(const std::string& name) override;
    std::string alertsDeviceName() override;

    // True once the devices of a connection have been listed; false while the server is away.
    bool isConnected() const;
    bool waitUntilConnected(std::chrono::milliseconds timeout) const;

    // Makes the sink or source the server's default and moves the streams playing or
    // recording elsewhere onto it. False when the server is away or refuses.
    bool makeDefault(int kind, const std::string& selectionId);

    // Rescans the camera folder now instead of at the next poll.
    void rescanCameras();

    // Waits until the peak meter of that microphone has taken at least count more readings;
    // false on timeout or when no meter runs for it.
    bool waitForPeakReadings(const std::string& selectionId, int count, std::chrono::milliseconds timeout);

private:
    std::unique_ptr<PulseBackendImpl> m_impl;
};

}  // namespace olvar::velk
