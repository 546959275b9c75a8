// Reports every DeviceAdded, DeviceRemoved and change of a current device as it happens, and
// every button press it is told of, with the time since construction.
#pragma once

#include <chrono>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace OlvarUnified {
class MediaDeviceService;
class PropertyNotifierConnection;
}  // namespace OlvarUnified

namespace Host {

class Output;

// Construct, use and destroy it on the services dispatcher, where notifications fire.
class NotificationWatch {
public:
    NotificationWatch(Output& output, std::shared_ptr<OlvarUnified::MediaDeviceService> service);
    ~NotificationWatch();  // disconnects
    NotificationWatch(const NotificationWatch&) = delete;
    NotificationWatch& operator=(const NotificationWatch&) = delete;

    void buttonPressed(const std::string& button, const std::string& hardwareId);

private:
    void report(nlohmann::ordered_json event, const std::string& text);

    Output& m_output;
    std::shared_ptr<OlvarUnified::MediaDeviceService> m_service;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::vector<std::weak_ptr<OlvarUnified::PropertyNotifierConnection>> m_connections;
};

}  // namespace Host
