#include "Microphones.h"

#include "HostPlatform.h"
#include "velk/SimulatedBackend.h"
#include "velk/SimulatedCapture.h"
#ifdef MDS_HAVE_SOUND_SERVER
#include "velk/PulseCapture.h"
#endif

namespace Host {

std::unique_ptr<olvar::velk::CaptureStream> openMicrophone(HostPlatform& platform, const std::string& selectionId,
                                                           int sampleRate, std::string& error) {
    if (auto simulated = platform.backend()) return olvar::velk::openSimulatedCapture(*simulated, selectionId, sampleRate, error);
#ifdef MDS_HAVE_SOUND_SERVER
    // The sound server's microphones are its sources, named by their selection ids.
    return olvar::velk::openPulseCapture("", selectionId, sampleRate, error);
#else
    error = "this host was built without the sound-server backend";
    return nullptr;
#endif
}

}  // namespace Host
