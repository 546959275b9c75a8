#include "velk/VelkWrapper.h"

#include <utility>

namespace OlvarUnified {

using olvar::velk::DeviceInfoList;
using olvar::velk::DeviceInfoPtr;

std::shared_ptr<VelkWrapper> VelkWrapper::Instance() {
    static const std::shared_ptr<VelkWrapper> instance = std::make_shared<VelkWrapper>();
    return instance;
}

void VelkWrapper::setBackend(std::shared_ptr<olvar::velk::DeviceBackend> backend) {
    std::shared_ptr<olvar::velk::DeviceBackend> previous;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        previous = std::exchange(m_backend, std::move(backend));
    }
    // previous may be the last reference; it is released outside the lock since tearing a
    // backend down joins its threads, whose callbacks may call back into the wrapper.
}

std::shared_ptr<olvar::velk::DeviceBackend> VelkWrapper::backend() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_backend;
}

std::shared_ptr<olvar::velk::CommunicationsDeviceManager> VelkWrapper::Mgr() {
    const auto b = backend();
    return b ? b->manager() : nullptr;
}

DeviceInfoList VelkWrapper::GetDevices(int kind) {
    const auto b = backend();
    return b ? b->devices(kind) : DeviceInfoList{};
}

DeviceInfoPtr VelkWrapper::GetDefaultDevice(int kind) {
    const auto b = backend();
    return b ? b->defaultDevice(kind) : nullptr;
}

DeviceInfoList VelkWrapper::GetCaptureDevices() { return GetDevices(olvar::velk::DEVICE_KIND_CAPTURE); }

DeviceInfoList VelkWrapper::GetRecordingDevices() { return GetDevices(olvar::velk::DEVICE_KIND_RECORDING); }

DeviceInfoList VelkWrapper::GetPlaybackDevices() { return GetDevices(olvar::velk::DEVICE_KIND_PLAYBACK); }

DeviceInfoPtr VelkWrapper::GetDefaultCaptureDevice() { return GetDefaultDevice(olvar::velk::DEVICE_KIND_CAPTURE); }

DeviceInfoPtr VelkWrapper::GetDefaultRecordingDevice() { return GetDefaultDevice(olvar::velk::DEVICE_KIND_RECORDING); }

DeviceInfoPtr VelkWrapper::GetDefaultPlaybackDevice() { return GetDefaultDevice(olvar::velk::DEVICE_KIND_PLAYBACK); }

void VelkWrapper::SetCurrentAlertsDeviceName(const std::string& name) {
    if (const auto b = backend()) b->setAlertsDeviceName(name);
}

}  // namespace OlvarUnified
