// Keeps the camera list current by rescanning the video4linux class folder on a thread of
// its own ("velk-cameras"): sysfs raises no file events, so polling it is the portable way.
// Cameras that appear or disappear are reported through the notifier, each once.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "BackendNotifier.h"

namespace olvar::velk {

class CameraWatcher {
public:
    // Lists the cameras present at once, without notifications; polls only when the root
    // is not empty.
    CameraWatcher(std::string classRoot, std::chrono::milliseconds interval, BackendNotifier& notifier);
    ~CameraWatcher();
    CameraWatcher(const CameraWatcher&) = delete;
    CameraWatcher& operator=(const CameraWatcher&) = delete;

    DeviceInfoList cameras() const;
    void rescan();

private:
    void poll();

    const std::string m_root;
    const std::chrono::milliseconds m_interval;
    BackendNotifier& m_notifier;

    std::mutex m_scanMutex;  // one scan at a time, so changes are reported once and in order
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    DeviceInfoList m_cameras;
    std::thread m_thread;
};

}  // namespace olvar::velk
