// The device set of the simulated device manager: devices in plug order, defaults per
// kind, volume or gain and peak meter state per device. Thread-safe.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "velk/DeviceManager.h"
#include "velk/SimulatedDevice.h"

namespace olvar::velk {

class DeviceRegistry {
public:
    static bool isValidKind(int kind);

    // False for an invalid kind, an empty or already present selection id.
    bool add(const SimulatedDevice& device, DeviceInfoPtr& added);
    // The removed device, or empty when the selection id is unknown. Clears its default.
    DeviceInfoPtr remove(const std::string& selectionId);

    DeviceInfoList devices(int kind) const;
    // The chosen default while present, else the first device of the kind, else empty.
    DeviceInfoPtr defaultDevice(int kind) const;
    // False when no device of that kind has that selection id.
    bool setDefault(int kind, const std::string& selectionId);

    std::optional<int> volume(int kind, const std::string& selectionId) const;
    // False for an unknown device; changed tells whether the value differed.
    bool setVolume(int kind, const std::string& selectionId, int volume, bool& changed);

    bool setPeakLevel(const std::string& selectionId, float level);
    bool initializePeak(const std::string& selectionId);  // microphones only
    void unInitializePeak(const std::string& selectionId);
    float peakLevel(const std::string& selectionId) const;  // 0 unless initialised

    bool isPresent(int kind, const std::string& selectionId) const;

private:
    struct Entry {
        SimulatedDevice device;
        DeviceInfoPtr info;
        bool peakInitialised = false;
    };

    Entry* find(const std::string& selectionId);
    const Entry* find(const std::string& selectionId) const;
    Entry* find(int kind, const std::string& selectionId);
    const Entry* find(int kind, const std::string& selectionId) const;

    mutable std::mutex m_mutex;
    std::vector<Entry> m_entries;
    std::map<int, std::string> m_chosenDefaults;  // kind -> selection id
};

}  // namespace olvar::velk
