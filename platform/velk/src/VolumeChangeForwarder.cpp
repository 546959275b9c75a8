#include "velk/VolumeChangeForwarder.h"

#include <utility>

namespace olvar::velk {

VolumeChangeForwarder::VolumeChangeForwarder(Handler speakerVolume, Handler inputGain)
    : m_speakerVolume(std::move(speakerVolume)), m_inputGain(std::move(inputGain)) {}

void VolumeChangeForwarder::onSpeakerVolumeChanged(const std::string& deviceName, int volume) {
    if (m_speakerVolume) m_speakerVolume(deviceName, volume);
}

void VolumeChangeForwarder::onInputGainChanged(const std::string& deviceName, int gain) {
    if (m_inputGain) m_inputGain(deviceName, gain);
}

void VolumeChangeForwarder::onSpeakerMuteChanged(const std::string&, bool) {}
void VolumeChangeForwarder::onInputMuteChanged(const std::string&, bool) {}
void VolumeChangeForwarder::onApplicationVolumeChanged(const std::string&, int) {}

}  // namespace olvar::velk
