// Where each kind of volume is read and written: the device manager's volume control per
// device, or the telephony side's one ringer volume.
#pragma once

#include <memory>
#include <string>

#include "module/DeviceTypeTable.h"
#include "velk/DeviceManager.h"

namespace OlvarUnified {

class RingerVolumeControl;
class UnifiedFactory;

class VolumeChannels {
public:
    VolumeChannels(std::shared_ptr<UnifiedFactory> factory,
                   std::shared_ptr<olvar::velk::CommunicationsDeviceManager> deviceManager);

    // Null without a device manager or when it has no volume control.
    std::shared_ptr<olvar::velk::VolumeControl> volumeControl() const;

    // Whether the write took; an input gain counts as taken whatever the control answers.
    bool write(VolumeKind kind, const std::string& selectionId, int volume) const;
    // -1 when there is no volume of that kind.
    int read(VolumeKind kind, const std::string& selectionId) const;

private:
    std::shared_ptr<RingerVolumeControl> ringerVolumeControl() const;

    std::shared_ptr<UnifiedFactory> m_factory;
    std::shared_ptr<olvar::velk::CommunicationsDeviceManager> m_deviceManager;
};

}  // namespace OlvarUnified
