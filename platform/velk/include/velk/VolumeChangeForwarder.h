// Hands a device manager's speaker volume and input gain changes to two callbacks.
#pragma once

#include <functional>
#include <string>

#include "velk/DeviceManager.h"

namespace olvar::velk {

// For whoever sets up the process and wants volume changes made outside (a mixer, a
// command line tool) to reach a component that does not observe the device manager's
// volumes itself. Callbacks run on the device manager's notification thread; mute changes
// and per-application volumes are not forwarded.
class OLVAR_API VolumeChangeForwarder : public VolumeControl_Observer {
public:
    using Handler = std::function<void(const std::string& deviceName, int level)>;

    VolumeChangeForwarder(Handler speakerVolume, Handler inputGain);

    void onSpeakerVolumeChanged(const std::string& deviceName, int volume) override;
    void onSpeakerMuteChanged(const std::string& deviceName, bool muted) override;
    void onInputGainChanged(const std::string& deviceName, int gain) override;
    void onInputMuteChanged(const std::string& deviceName, bool muted) override;
    void onApplicationVolumeChanged(const std::string& deviceName, int volume) override;

private:
    Handler m_speakerVolume;
    Handler m_inputGain;
};

}  // namespace olvar::velk
