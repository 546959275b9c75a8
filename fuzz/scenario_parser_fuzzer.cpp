// Any text given to the simulated device manager's scenario parser: no crash, no hang, and a
// verdict that agrees with its explanation.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "velk/Scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    olvar::velk::Scenario scenario;
    std::string error;
    const bool parsed = olvar::velk::parseScenario(std::string(reinterpret_cast<const char*>(data), size), scenario, error);
    if (parsed != error.empty()) std::abort();
    if (!parsed) return 0;
    for (const auto& device : scenario.devices) {
        if (device.selectionId.empty()) std::abort();
    }
    for (const auto& event : scenario.events) {
        if (event.at.count() < 0) std::abort();
    }
    return 0;
}
