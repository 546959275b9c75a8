#include "featuresets/adapters/mediaDevice/core/VolumeChannels.h"

#include "OlvarUnified/Telephony.h"
#include "OlvarUnified/UnifiedFactory.h"

namespace OlvarUnified {

VolumeChannels::VolumeChannels(std::shared_ptr<UnifiedFactory> factory,
                               std::shared_ptr<olvar::velk::CommunicationsDeviceManager> deviceManager)
    : m_factory(std::move(factory)), m_deviceManager(std::move(deviceManager)) {}

std::shared_ptr<olvar::velk::VolumeControl> VolumeChannels::volumeControl() const {
    return m_deviceManager ? m_deviceManager->getVolumeControl() : nullptr;
}

std::shared_ptr<RingerVolumeControl> VolumeChannels::ringerVolumeControl() const {
    auto featureSet = m_factory->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
    return featureSet ? featureSet->getRingerVolumeControl() : nullptr;
}

bool VolumeChannels::write(VolumeKind kind, const std::string& selectionId, int volume) const {
    switch (kind) {
        case VolumeKind::SpeakerVolume: {
            auto control = volumeControl();
            return control && control->setSpeakerVolume(selectionId, volume);
        }
        case VolumeKind::InputGain:
            // The gain is taken as set whatever the control answers, or without a control.
            if (auto control = volumeControl()) control->setInputGain(selectionId, volume);
            return true;
        case VolumeKind::RingerVolume: {
            auto ringer = ringerVolumeControl();
            return ringer && ringer->setRingerVolume(volume);
        }
        case VolumeKind::None: break;
    }
    return false;
}

int VolumeChannels::read(VolumeKind kind, const std::string& selectionId) const {
    switch (kind) {
        case VolumeKind::SpeakerVolume: {
            auto control = volumeControl();
            return control ? control->getSpeakerVolume(selectionId) : -1;
        }
        case VolumeKind::InputGain: {
            auto control = volumeControl();
            return control ? control->getInputGain(selectionId) : -1;
        }
        case VolumeKind::RingerVolume: {
            auto ringer = ringerVolumeControl();
            return ringer ? ringer->getRingerVolume() : -1;
        }
        case VolumeKind::None: break;
    }
    return -1;
}

}  // namespace OlvarUnified
