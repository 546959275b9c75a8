// PCM player of the simulated device manager: each stream's thread (see PcmPlayerBase) pulls
// the source in chunks of about 10 ms of audio until it runs dry or the stream is stopped.
// Every stream is kept, with what it pulled, for tests to read back.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "DeviceRegistry.h"
#include "PcmPlayerBase.h"
#include "SimulatedPlayoutStream.h"
#include "olvar/CallRecorder.h"
#include "velk/DeviceManager.h"
#include "velk/SimulatedBackend.h"

namespace olvar::velk {

class SimulatedPcmPlayer : public PcmPlayerBase {
public:
    SimulatedPcmPlayer(std::shared_ptr<DeviceRegistry> registry, std::shared_ptr<CallRecorder> recorder,
                       Pacing pacing, std::size_t pcmKeptPerStream);
    ~SimulatedPcmPlayer() override;

    void addPlaybackObserver(PcmPlayer_Observer* observer) override;
    void removePlaybackObserver(PcmPlayer_Observer* observer) override;
    void startStreamPlayout(PlayoutStreamPtr& stream, int formatCode, const std::string& deviceName,
                            Source* source) override;
    void setAudioBufferingMode(int mode) override;

    std::int64_t bytesConsumed(const PlayoutStreamPtr& stream) const;
    std::vector<PlayoutRecord> playouts() const;

private:
    bool canStart(int formatCode, const std::string& deviceName, Source* source) const;
    static void play(const std::shared_ptr<SimulatedPlayoutStream>& stream, Source* source, Pacing pacing);

    std::shared_ptr<DeviceRegistry> m_registry;
    std::shared_ptr<CallRecorder> m_recorder;
    const Pacing m_pacing;
    const std::size_t m_pcmKeptPerStream;

    mutable std::mutex m_mutex;  // the stream ids and the history
    int m_nextStreamId = 1;
    std::vector<std::shared_ptr<SimulatedPlayoutStream>> m_history;
};

}  // namespace olvar::velk
