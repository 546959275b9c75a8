// One device of the simulated device manager, as a scenario or a test describes it.
#pragma once

#include <string>

namespace olvar::velk {

struct SimulatedDevice {
    int kind = 0;  // DeviceKind: 1 recording, 2 playback, 4 capture
    std::string name;
    std::string selectionId;
    std::string hardwareId;
    std::string vendor;
    std::string deviceInterface;
    std::string friendlyName;
    std::string instanceId;
    int volume = 50;  // speaker volume or microphone gain, 0..100
    float peakLevel = 0;
};

}  // namespace olvar::velk
