#include "PulsePcmPlayer.h"

#include "PulseSampleLayout.h"
#include "VelkLog.h"
#include "olvar/PendingWork.h"

namespace olvar::velk {

namespace {
OlvarLoggerHandle logger() {
    static const OlvarLoggerHandle handle = OlvarLogger_getLogger("velk-PulsePcmPlayer");
    return handle;
}
}  // namespace

PulsePcmPlayer::PulsePcmPlayer(std::shared_ptr<PulseCore> core)
    : m_core(std::move(core)), m_observers(std::make_shared<Observers>()) {}

PulsePcmPlayer::~PulsePcmPlayer() { shutdown(); }

void PulsePcmPlayer::addPlaybackObserver(PcmPlayer_Observer* observer) { m_observers->add(observer); }

void PulsePcmPlayer::removePlaybackObserver(PcmPlayer_Observer* observer) { m_observers->remove(observer); }

void PulsePcmPlayer::startStreamPlayout(PlayoutStreamPtr& stream, int formatCode, const std::string& deviceName,
                                        Source* source) {
    stream.reset();
    pa_sample_spec layout;
    if (!pulseSampleLayout(formatCode, layout)) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "unsupported format code " + std::to_string(formatCode));
        return;
    }
    if (source == nullptr) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "no source given for '" + deviceName + "'");
        return;
    }
    if (!m_core->tracker.isPresent(DEVICE_KIND_PLAYBACK, deviceName)) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "no playback device named '" + deviceName + "'");
        return;
    }
    auto playout = std::make_shared<PulsePlayoutStream>(m_core->connection, source, deviceName, layout, m_bufferingMode.load());
    bool connected = false;
    m_core->connection.withContext([&](pa_context* context) { connected = context != nullptr && playout->connect(context); });
    if (!connected) return;

    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_shutDown) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "startStreamPlayout after shutdown; no stream");
        return;
    }
    reapFinishedWorkers();
    auto done = std::make_shared<std::atomic<bool>>(false);
    PendingWork::begin();  // ended once the finished reports have returned
    auto finished = [observers = m_observers, done](const PlayoutStreamPtr& ended) {
        try {
            observers->forEach([&](PcmPlayer_Observer* o) { o->onPlayoutFinished(nullptr, ended); });
        } catch (...) {
            VELK_LOG(logger(), OLVAR_LOG_ERROR, "a playback observer threw");
        }
        PendingWork::end();
        done->store(true);
    };
    m_workers.push_back(Worker{playout, done, std::thread([playout, finished] { playout->run(finished); })});
    stream = playout;
}

void PulsePcmPlayer::setAudioBufferingMode(int mode) {
    if (mode < 0 || mode > 2) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "audio buffering mode " + std::to_string(mode) + " ignored");
        return;
    }
    m_bufferingMode = mode;
}

int PulsePcmPlayer::getAudioBufferingMode() const { return m_bufferingMode.load(); }

void PulsePcmPlayer::shutdown() {
    std::vector<Worker> workers;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_shutDown = true;
        workers.swap(m_workers);
    }
    for (Worker& worker : workers) worker.stream->stop();
    for (Worker& worker : workers) {
        if (worker.thread.get_id() == std::this_thread::get_id()) {
            worker.thread.detach();  // shut down from a finished report: the thread ends by itself
        } else {
            worker.thread.join();
        }
    }
}

void PulsePcmPlayer::reapFinishedWorkers() {
    const auto finished = std::stable_partition(m_workers.begin(), m_workers.end(),
                                                [](const Worker& w) { return !w.done->load(); });
    for (auto it = finished; it != m_workers.end(); ++it) it->thread.join();
    m_workers.erase(finished, m_workers.end());
}

}  // namespace olvar::velk
