// Recording from a microphone of whichever device manager the host installed.
#pragma once

#include <memory>
#include <string>

#include "velk/CaptureStream.h"

namespace Host {

class HostPlatform;

// Empty, with a reason, when the device cannot be recorded from.
std::unique_ptr<olvar::velk::CaptureStream> openMicrophone(HostPlatform& platform, const std::string& selectionId,
                                                           int sampleRate, std::string& error);

}  // namespace Host
