// PCM player on the sound server: one playback stream per startStreamPlayout on the
// named sink, fed by a thread of its own (see PcmPlayerBase).
#pragma once

#include <memory>

#include "PcmPlayerBase.h"
#include "PulseCore.h"
#include "PulsePlayoutStream.h"
#include "velk/DeviceManager.h"

namespace olvar::velk {

class PulsePcmPlayer : public PcmPlayerBase {
public:
    explicit PulsePcmPlayer(std::shared_ptr<PulseCore> core);
    ~PulsePcmPlayer() override;

    void startStreamPlayout(PlayoutStreamPtr& stream, int formatCode, const std::string& deviceName,
                            Source* source) override;

private:
    const std::shared_ptr<PulseCore> m_core;
};

}  // namespace olvar::velk
