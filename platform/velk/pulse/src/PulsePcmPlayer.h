// PCM player on the sound server: one playback stream per startStreamPlayout on the
// named sink, each fed by a thread of its own that reports the stream's end to every
// playback observer. A stream counts as pending work until those reports have returned.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ObserverList.h"
#include "PulseCore.h"
#include "PulsePlayoutStream.h"
#include "velk/DeviceManager.h"

namespace olvar::velk {

class PulsePcmPlayer : public PcmPlayerEx {
public:
    explicit PulsePcmPlayer(std::shared_ptr<PulseCore> core);
    ~PulsePcmPlayer() override;

    void addPlaybackObserver(PcmPlayer_Observer* observer) override;
    void removePlaybackObserver(PcmPlayer_Observer* observer) override;
    void startStreamPlayout(PlayoutStreamPtr& stream, int formatCode, const std::string& deviceName,
                            Source* source) override;
    void setAudioBufferingMode(int mode) override;
    int getAudioBufferingMode() const override;

    // Stops every stream and waits for their threads; later starts fail.
    void shutdown();

private:
    using Observers = ObserverList<PcmPlayer_Observer>;
    struct Worker {
        std::shared_ptr<PulsePlayoutStream> stream;
        std::shared_ptr<std::atomic<bool>> done;
        std::thread thread;
    };

    void reapFinishedWorkers();  // with m_mutex held

    const std::shared_ptr<PulseCore> m_core;
    std::shared_ptr<Observers> m_observers;
    std::atomic<int> m_bufferingMode{2};

    std::mutex m_mutex;
    bool m_shutDown = false;
    std::vector<Worker> m_workers;
};

}  // namespace olvar::velk
