#include "SoundServerHost.h"

#include <iostream>

#ifdef MDS_HAVE_SOUND_SERVER
#include "velk/PulseBackend.h"
#endif

namespace Host {

#ifdef MDS_HAVE_SOUND_SERVER

std::shared_ptr<olvar::velk::DeviceBackend> makeSoundServerBackend(std::string&) {
    auto backend = std::make_shared<olvar::velk::PulseBackend>();
    if (!backend->waitUntilConnected(std::chrono::seconds(3)))
        std::cerr << "mediadevice-host: no sound server yet; running without audio devices until it comes\n";
    return backend;
}

void makeServerDefault(const std::shared_ptr<olvar::velk::DeviceBackend>& backend, int mediaDeviceType,
                       const std::string& selectionId) {
    constexpr int kSpeaker = 0;
    constexpr int kMicrophone = 2;
    auto server = std::dynamic_pointer_cast<olvar::velk::PulseBackend>(backend);
    if (!server || (mediaDeviceType != kSpeaker && mediaDeviceType != kMicrophone)) return;
    const int kind = mediaDeviceType == kSpeaker ? olvar::velk::DEVICE_KIND_PLAYBACK : olvar::velk::DEVICE_KIND_RECORDING;
    if (server->makeDefault(kind, selectionId))
        std::cout << "Server default " << (kind == olvar::velk::DEVICE_KIND_PLAYBACK ? "sink" : "source") << " is now "
                  << selectionId << "\n";
}

#else

std::shared_ptr<olvar::velk::DeviceBackend> makeSoundServerBackend(std::string& error) {
    error = "this host was built without the sound-server backend (libpulse was not found)";
    return nullptr;
}

void makeServerDefault(const std::shared_ptr<olvar::velk::DeviceBackend>&, int, const std::string&) {}

#endif

}  // namespace Host
