#include "CameraWatcher.h"

#include <pthread.h>

#include <algorithm>

#include "VideoDeviceScanner.h"

namespace olvar::velk {

namespace {
bool sameNode(const DeviceInfoPtr& a, const DeviceInfoPtr& b) { return a->getSelectionId() == b->getSelectionId(); }

bool contains(const DeviceInfoList& list, const DeviceInfoPtr& device) {
    return std::any_of(list.begin(), list.end(), [&](const DeviceInfoPtr& d) { return sameNode(d, device); });
}
}  // namespace

CameraWatcher::CameraWatcher(std::string classRoot, std::chrono::milliseconds interval, BackendNotifier& notifier)
    : m_root(std::move(classRoot)), m_interval(interval), m_notifier(notifier) {
    if (m_root.empty()) return;
    m_cameras = scanVideoDevices(m_root);
    m_thread = std::thread(&CameraWatcher::poll, this);
}

CameraWatcher::~CameraWatcher() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

DeviceInfoList CameraWatcher::cameras() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_cameras;
}

void CameraWatcher::rescan() {
    if (m_root.empty()) return;
    std::lock_guard<std::mutex> scanLock(m_scanMutex);
    DeviceInfoList now = scanVideoDevices(m_root);
    DeviceInfoList before;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        before = m_cameras;
        m_cameras = now;
    }
    for (const auto& device : before) {
        if (!contains(now, device)) m_notifier.deviceRemoved(device);
    }
    for (const auto& device : now) {
        if (!contains(before, device)) m_notifier.deviceAdded(device);
    }
}

void CameraWatcher::poll() {
    pthread_setname_np(pthread_self(), "velk-cameras");
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_wake.wait_for(lock, m_interval, [&] { return m_stopping; })) {
        lock.unlock();
        rescan();
        lock.lock();
    }
}

}  // namespace olvar::velk
