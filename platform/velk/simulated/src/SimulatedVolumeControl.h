// Volume control and input peak meter of the simulated device manager. Changes made here
// are reported to observers on the event thread.
#pragma once

#include <memory>

#include "BackendNotifier.h"
#include "DeviceRegistry.h"
#include "olvar/CallRecorder.h"
#include "velk/DeviceManager.h"

namespace olvar::velk {

class SimulatedVolumeControl : public VolumeControl {
public:
    SimulatedVolumeControl(std::shared_ptr<DeviceRegistry> registry, std::shared_ptr<BackendNotifier> notifier,
                           std::shared_ptr<CallRecorder> recorder);

    void addObserver(VolumeControl_Observer* observer) override;
    void removeObserver(VolumeControl_Observer* observer) override;

    int getSpeakerVolume(const std::string& deviceName) override;
    bool setSpeakerVolume(const std::string& deviceName, int volume) override;
    int getInputGain(const std::string& deviceName) override;
    bool setInputGain(const std::string& deviceName, int gain) override;

    bool initializePeak(const std::string& deviceName) override;
    void unInitializePeak(const std::string& deviceName) override;
    float getPeakLevel(const std::string& deviceName) override;

private:
    int readLevel(int kind, const std::string& deviceName);
    bool writeLevel(int kind, const std::string& deviceName, int level);

    std::shared_ptr<DeviceRegistry> m_registry;
    std::shared_ptr<BackendNotifier> m_notifier;
    std::shared_ptr<CallRecorder> m_recorder;
};

}  // namespace olvar::velk
