// The simulated device manager's microphones: each records a known signal, a 440 Hz sine at
// half of full scale starting at phase 0, in real time, so that a test can tell what reached
// a speaker after a recording was played back.
#pragma once

#include <memory>
#include <string>

#include "velk/CaptureStream.h"

namespace olvar::velk {

class SimulatedBackend;

inline constexpr double kSimulatedMicrophoneHz = 440.0;
inline constexpr double kSimulatedMicrophoneAmplitude = 0.5;  // of full scale

// The sample the simulated microphone records at index i of a stream of that rate.
OLVAR_API std::int16_t simulatedMicrophoneSample(std::size_t index, int sampleRate);

// A recording from the backend's microphone of that selection id; empty, with a reason, when
// it has no such microphone plugged in.
OLVAR_API std::unique_ptr<CaptureStream> openSimulatedCapture(SimulatedBackend& backend, const std::string& deviceName,
                                                             int sampleRate, std::string& error);

}  // namespace olvar::velk
