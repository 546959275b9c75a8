// Reports every DeviceAdded, DeviceRemoved, change of a current device or of a preferred
// list, every device volume change and change of the preview's size as it happens, and
// every button press it is told of, with the time since construction.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace OlvarUnified {
class MediaDeviceService;
class PropertyNotifierConnection;
}  // namespace OlvarUnified

namespace Host {

// Construct, use and destroy it on the services dispatcher, where notifications fire.
class NotificationWatch {
public:
    // Gets each change as a JSON object (its kind under "event") and a line of text, on the
    // services dispatcher; it may read the service there.
    using Report = std::function<void(nlohmann::ordered_json event, const std::string& text)>;

    NotificationWatch(Report report, std::shared_ptr<OlvarUnified::MediaDeviceService> service);
    ~NotificationWatch();  // disconnects
    NotificationWatch(const NotificationWatch&) = delete;
    NotificationWatch& operator=(const NotificationWatch&) = delete;

    void buttonPressed(const std::string& button, const std::string& hardwareId);

private:
    void watchCurrentDevices();
    void watchPreferredLists();
    void watchPreview();
    // The preferred devices are the objects whose volume the service changes; they are
    // replaced when a list changes, so their notifiers are connected again then.
    void watchVolumes();
    void report(nlohmann::ordered_json event, const std::string& text);

    using Connection = std::weak_ptr<OlvarUnified::PropertyNotifierConnection>;
    Report m_report;
    std::shared_ptr<OlvarUnified::MediaDeviceService> m_service;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::vector<Connection> m_connections;
    std::vector<Connection> m_volumeConnections;
};

}  // namespace Host
