// The host on the real sound server: its device manager, and the telephony stand-in making
// the device in use of speakers and microphones the server's default.
#pragma once

#include <memory>
#include <string>

#include "velk/VelkWrapper.h"

namespace Host {

// A device manager on the sound server named by PULSE_SERVER (else the user's). Waits a
// moment for the server; without one it still runs, with no audio devices until it comes.
// Empty (error filled) when this host was built without the sound-server backend.
std::shared_ptr<olvar::velk::DeviceBackend> makeSoundServerBackend(std::string& error);

// Makes the speakers' (type 0) or microphones' (type 2) device in use the server's default
// sink or source and moves the running streams there; other types and backends are left alone.
void makeServerDefault(const std::shared_ptr<olvar::velk::DeviceBackend>& backend, int mediaDeviceType,
                       const std::string& selectionId);

}  // namespace Host
