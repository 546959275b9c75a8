// Speaker volume and input gain as 0..100 of the server's normal volume, and the input
// peak meters. Reads come from the device tracker; writes wait for the server's answer so
// that another client reads the new value as soon as the call returns.
#pragma once

#include <memory>

#include "PulseCore.h"
#include "velk/DeviceManager.h"

namespace olvar::velk {

class PulseVolumeControl : public VolumeControl {
public:
    explicit PulseVolumeControl(std::shared_ptr<PulseCore> core);

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
    bool setLevel(int kind, const std::string& deviceName, int level);

    const std::shared_ptr<PulseCore> m_core;
    PulseConnection& m_connection;
    PulseDeviceTracker& m_tracker;
    PulsePeakMeters& m_meters;
    BackendNotifier& m_notifier;
};

}  // namespace olvar::velk
