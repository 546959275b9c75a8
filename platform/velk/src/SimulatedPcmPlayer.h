// PCM player of the simulated device manager: one thread per stream pulls the source in
// chunks of about 10 ms of audio until it runs dry or the stream is stopped, then reports
// the end to every playback observer on that thread. A stream counts as pending work
// until those reports have returned.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "DeviceRegistry.h"
#include "ObserverList.h"
#include "SimulatedPlayoutStream.h"
#include "olvar/CallRecorder.h"
#include "velk/DeviceManager.h"
#include "velk/SimulatedBackend.h"

namespace olvar::velk {

class SimulatedPcmPlayer : public PcmPlayerEx {
public:
    SimulatedPcmPlayer(std::shared_ptr<DeviceRegistry> registry, std::shared_ptr<CallRecorder> recorder,
                       Pacing pacing, std::size_t pcmKeptPerStream);
    ~SimulatedPcmPlayer() override;

    void addPlaybackObserver(PcmPlayer_Observer* observer) override;
    void removePlaybackObserver(PcmPlayer_Observer* observer) override;
    void startStreamPlayout(PlayoutStreamPtr& stream, int formatCode, const std::string& deviceName,
                            Source* source) override;
    void setAudioBufferingMode(int mode) override;
    int getAudioBufferingMode() const override;

    // Stops every stream and joins the player threads; later starts fail.
    void shutdown();

    std::int64_t bytesConsumed(const PlayoutStreamPtr& stream) const;
    std::vector<PlayoutRecord> playouts() const;

private:
    using Observers = ObserverList<PcmPlayer_Observer>;
    struct Worker {
        std::shared_ptr<SimulatedPlayoutStream> stream;
        std::shared_ptr<std::atomic<bool>> done;
        std::thread thread;
    };

    bool canStart(int formatCode, const std::string& deviceName, Source* source) const;
    void reapFinishedWorkers();  // with m_mutex held
    static void play(std::shared_ptr<SimulatedPlayoutStream> stream, Source* source, Pacing pacing,
                     std::shared_ptr<Observers> observers, std::shared_ptr<std::atomic<bool>> done);

    std::shared_ptr<DeviceRegistry> m_registry;
    std::shared_ptr<CallRecorder> m_recorder;
    const Pacing m_pacing;
    const std::size_t m_pcmKeptPerStream;
    std::shared_ptr<Observers> m_observers;
    std::atomic<int> m_bufferingMode{2};

    mutable std::mutex m_mutex;
    bool m_shutDown = false;
    int m_nextStreamId = 1;
    std::vector<Worker> m_workers;
    std::vector<std::shared_ptr<SimulatedPlayoutStream>> m_history;
};

}  // namespace olvar::velk
