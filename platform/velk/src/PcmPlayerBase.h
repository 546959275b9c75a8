// What the backends' PCM players share: the playback observers, the buffering mode, and one
// thread per stream ("velk-playout") whose end is reported to every playback observer on that
// thread. A stream counts as pending work until those reports have returned.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ObserverList.h"
#include "VelkLog.h"
#include "velk/DeviceManager.h"

namespace olvar::velk {

class PcmPlayerBase : public PcmPlayerEx {
public:
    void addPlaybackObserver(PcmPlayer_Observer* observer) override;
    void removePlaybackObserver(PcmPlayer_Observer* observer) override;
    void setAudioBufferingMode(int mode) override;
    int getAudioBufferingMode() const override;

    // Stops every stream and joins their threads; later starts fail. A player's destructor
    // calls it before its own members go, since the streams may use them.
    void shutdown();

protected:
    // Reports the stream's end to the playback observers; called once, last, by a stream's body.
    using ReportEnd = std::function<void()>;
    using StreamBody = std::function<void(const ReportEnd& reportEnd)>;

    explicit PcmPlayerBase(OlvarLoggerHandle logger);
    ~PcmPlayerBase() override;

    // Runs body on a thread of its own for the stream; false (no thread) after shutdown. The
    // body must not use the player: a thread left running by a shutdown from its own report
    // outlives it.
    bool launch(const PlayoutStreamPtr& stream, StreamBody body);

    OlvarLoggerHandle logger() const { return m_logger; }

private:
    using Observers = ObserverList<PcmPlayer_Observer>;
    struct Worker {
        PlayoutStreamPtr stream;
        std::shared_ptr<std::atomic<bool>> done;
        std::thread thread;
    };

    void reapFinishedWorkers();  // with m_mutex held

    const OlvarLoggerHandle m_logger;
    const std::shared_ptr<Observers> m_observers;
    std::atomic<int> m_bufferingMode{2};

    std::mutex m_mutex;
    bool m_shutDown = false;
    std::vector<Worker> m_workers;
};

}  // namespace olvar::velk
