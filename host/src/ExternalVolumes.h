// Volumes changed outside the module (the sound server's mixer, pactl) handed to the module,
// so that its devices, and whoever watches them, show the new level.
#pragma once

#include <memory>
#include <string>

namespace olvar::velk {
class VolumeChangeForwarder;
class VolumeControl;
}  // namespace olvar::velk

namespace Host {

class HostSession;

class ExternalVolumes {
public:
    // Observes the installed device manager's volume control, when it has one.
    explicit ExternalVolumes(HostSession& session);
    ~ExternalVolumes();  // stops observing; no change is handed on afterwards
    ExternalVolumes(const ExternalVolumes&) = delete;
    ExternalVolumes& operator=(const ExternalVolumes&) = delete;

private:
    // On the device manager's thread: queues the change for the services dispatcher.
    void changed(int mediaDeviceType, const std::string& selectionId, int level);

    HostSession& m_session;
    std::shared_ptr<olvar::velk::VolumeControl> m_control;
    std::unique_ptr<olvar::velk::VolumeChangeForwarder> m_forwarder;
};

}  // namespace Host
