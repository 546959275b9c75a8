// Recording from a sound server's source (a microphone, or a sink's monitor).
#pragma once

#include <memory>
#include <string>

#include "velk/CaptureStream.h"

namespace olvar::velk {

// A recording from the source of that name on the server (empty: PULSE_SERVER, then the
// user's); empty, with the server's reason, when it cannot be opened.
OLVAR_API std::unique_ptr<CaptureStream> openPulseCapture(const std::string& server, const std::string& sourceName,
                                                         int sampleRate, std::string& error);

}  // namespace olvar::velk
