// What the host prints about the media-device service, in a form a person reads easily.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace OlvarUnified {
class MediaDeviceService;
class PropertyNotifierConnection;
class ServicesDispatcher;
}

namespace Host {

// Selection id of the device the telephony side uses for a device type.
using DeviceInUse = std::function<std::string(int mediaDeviceType)>;

// Per device type: the preferred list in order, the devices available, the service's current
// device and the one the telephony side was told to use. Runs on the services dispatcher,
// where the service's objects may be read.
void printServiceState(std::ostream& out, OlvarUnified::ServicesDispatcher& dispatcher,
                       OlvarUnified::MediaDeviceService& service, const DeviceInUse& inUse);

// Prints a line for every DeviceAdded, DeviceRemoved and change of a current device, and for
// every button press it is told of, with the time since construction. Disconnects on
// destruction.
class NotificationPrinter {
public:
    NotificationPrinter(std::ostream& out, std::shared_ptr<OlvarUnified::MediaDeviceService> service);
    ~NotificationPrinter();
    NotificationPrinter(const NotificationPrinter&) = delete;
    NotificationPrinter& operator=(const NotificationPrinter&) = delete;

    // A button pressed on an accessory, printed in line with the notifications; call it on
    // the services dispatcher.
    void buttonPressed(const std::string& button, const std::string& hardwareId);

private:
    void print(const char* what, const std::string& detail);

    std::ostream& m_out;
    std::shared_ptr<OlvarUnified::MediaDeviceService> m_service;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::vector<std::weak_ptr<OlvarUnified::PropertyNotifierConnection>> m_connections;
};

}  // namespace Host
