#include "velk/PulseBackend.h"

#include <mutex>

#include "CameraWatcher.h"
#include "PulseCore.h"
#include "PulseDeviceManager.h"

namespace olvar::velk {

class PulseBackendImpl {
public:
    explicit PulseBackendImpl(const PulseBackendOptions& options)
        : core(std::make_shared<PulseCore>(options)), manager(std::make_shared<PulseDeviceManager>(core)),
          cameras(options.videoClassRoot, options.cameraPollInterval, core->notifier) {}
    ~PulseBackendImpl() {
        // Playback threads report their end before the backend goes; parts the module
        // still holds keep the connection alive.
        manager->player()->shutdown();
    }

    std::shared_ptr<PulseCore> core;
    std::shared_ptr<PulseDeviceManager> manager;
    CameraWatcher cameras;
    std::mutex alertsMutex;
    std::string alertsDeviceName;
};

PulseBackend::PulseBackend(PulseBackendOptions options) : m_impl(std::make_unique<PulseBackendImpl>(options)) {}

PulseBackend::~PulseBackend() = default;

std::shared_ptr<CommunicationsDeviceManager> PulseBackend::manager() { return m_impl->manager; }

DeviceInfoList PulseBackend::devices(int kind) {
    if (kind == DEVICE_KIND_CAPTURE) return m_impl->cameras.cameras();
    return m_impl->core->tracker.devices(kind);
}

DeviceInfoPtr PulseBackend::defaultDevice(int kind) {
    if (kind != DEVICE_KIND_CAPTURE) return m_impl->core->tracker.defaultDevice(kind);
    const DeviceInfoList cameras = m_impl->cameras.cameras();  // the kernel has no default camera
    return cameras.empty() ? nullptr : cameras.front();
}

void PulseBackend::setAlertsDeviceName(const std::string& name) {
    std::lock_guard<std::mutex> lock(m_impl->alertsMutex);
    m_impl->alertsDeviceName = name;
}

std::string PulseBackend::alertsDeviceName() {
    std::lock_guard<std::mutex> lock(m_impl->alertsMutex);
    return m_impl->alertsDeviceName;
}

bool PulseBackend::isConnected() const { return m_impl->core->tracker.isListed(); }

bool PulseBackend::waitUntilConnected(std::chrono::milliseconds timeout) const {
    return m_impl->core->tracker.waitUntilListed(timeout);
}

bool PulseBackend::makeDefault(int kind, const std::string& selectionId) {
    return makePulseDefault(m_impl->core->connection, kind, selectionId);
}

void PulseBackend::rescanCameras() { m_impl->cameras.rescan(); }

bool PulseBackend::waitForPeakReadings(const std::string& selectionId, int count, std::chrono::milliseconds timeout) {
    return m_impl->core->meters.waitForReadings(selectionId, count, timeout);
}

}  // namespace olvar::velk
