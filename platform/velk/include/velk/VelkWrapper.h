// Process-wide entry to the device manager, over a replaceable backend.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "velk/DeviceManager.h"

namespace olvar::velk {

// What a backend provides: the device manager itself plus the enumerations the wrapper
// forwards. The simulated backend lives in SimulatedBackend.h; a real one plugs in here.
class OLVAR_API DeviceBackend {
public:
    virtual ~DeviceBackend() = default;
    virtual std::shared_ptr<CommunicationsDeviceManager> manager() = 0;
    virtual DeviceInfoList devices(int kind) = 0;          // fresh vector, in reporting order
    virtual DeviceInfoPtr defaultDevice(int kind) = 0;     // empty when none
    virtual void setAlertsDeviceName(const std::string& name) = 0;
    virtual std::string alertsDeviceName() = 0;
};

}  // namespace olvar::velk

namespace OlvarUnified {

class OLVAR_API VelkWrapper {
public:
    static std::shared_ptr<VelkWrapper> Instance();

    // Installs the backend every later call uses; an empty pointer means "no device
    // manager" (Mgr() empty, no devices). Until a backend is installed there is none.
    void setBackend(std::shared_ptr<olvar::velk::DeviceBackend> backend);
    std::shared_ptr<olvar::velk::DeviceBackend> backend();

    std::shared_ptr<olvar::velk::CommunicationsDeviceManager> Mgr();
    // The devices, and the default device, of a device-manager kind (DEVICE_KIND_*).
    olvar::velk::DeviceInfoList GetDevices(int kind);
    olvar::velk::DeviceInfoPtr GetDefaultDevice(int kind);
    olvar::velk::DeviceInfoList GetCaptureDevices();
    olvar::velk::DeviceInfoList GetRecordingDevices();
    olvar::velk::DeviceInfoList GetPlaybackDevices();
    olvar::velk::DeviceInfoPtr GetDefaultCaptureDevice();
    olvar::velk::DeviceInfoPtr GetDefaultRecordingDevice();
    olvar::velk::DeviceInfoPtr GetDefaultPlaybackDevice();
    void SetCurrentAlertsDeviceName(const std::string& name);

private:
    std::mutex m_mutex;
    std::shared_ptr<olvar::velk::DeviceBackend> m_backend;
};

}  // namespace OlvarUnified
