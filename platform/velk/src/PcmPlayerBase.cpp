#include "PcmPlayerBase.h"

#include <pthread.h>

#include <algorithm>
#include <string>

#include "olvar/PendingWork.h"

namespace olvar::velk {

PcmPlayerBase::PcmPlayerBase(OlvarLoggerHandle logger)
    : m_logger(logger), m_observers(std::make_shared<Observers>()) {}

PcmPlayerBase::~PcmPlayerBase() { shutdown(); }

void PcmPlayerBase::addPlaybackObserver(PcmPlayer_Observer* observer) { m_observers->add(observer); }

void PcmPlayerBase::removePlaybackObserver(PcmPlayer_Observer* observer) { m_observers->remove(observer); }

void PcmPlayerBase::setAudioBufferingMode(int mode) {
    if (mode < 0 || mode > 2) {
        VELK_LOG(m_logger, OLVAR_LOG_WARNING, "audio buffering mode " + std::to_string(mode) + " ignored");
        return;
    }
    m_bufferingMode = mode;
}

int PcmPlayerBase::getAudioBufferingMode() const { return m_bufferingMode.load(); }

bool PcmPlayerBase::launch(const PlayoutStreamPtr& stream, StreamBody body) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_shutDown) {
        VELK_LOG(m_logger, OLVAR_LOG_WARNING, "startStreamPlayout after shutdown; no stream");
        return false;
    }
    reapFinishedWorkers();
    auto done = std::make_shared<std::atomic<bool>>(false);
    PendingWork::begin();  // ended once the finished reports have returned
    ReportEnd reportEnd = [observers = m_observers, logger = m_logger, stream, done] {
        try {
            observers->forEach([&](PcmPlayer_Observer* o) { o->onPlayoutFinished(nullptr, stream); });
        } catch (...) {
            VELK_LOG(logger, OLVAR_LOG_ERROR, "a playback observer threw");
        }
        PendingWork::end();
        done->store(true);
    };
    m_workers.push_back(Worker{stream, done, std::thread([body = std::move(body), reportEnd = std::move(reportEnd)] {
                                   pthread_setname_np(pthread_self(), "velk-playout");
                                   body(reportEnd);
                               })});
    return true;
}

void PcmPlayerBase::shutdown() {
    std::vector<Worker> workers;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_shutDown = true;
        workers.swap(m_workers);
    }
    for (Worker& worker : workers) {
        if (worker.stream->isPlaying()) worker.stream->stop();
    }
    for (Worker& worker : workers) {
        if (worker.thread.get_id() == std::this_thread::get_id()) {
            worker.thread.detach();  // shut down from a finished report: the thread ends by itself
        } else {
            worker.thread.join();
        }
    }
}

void PcmPlayerBase::reapFinishedWorkers() {
    const auto finished = std::stable_partition(m_workers.begin(), m_workers.end(),
                                                [](const Worker& w) { return !w.done->load(); });
    for (auto it = finished; it != m_workers.end(); ++it) it->thread.join();
    m_workers.erase(finished, m_workers.end());
}

}  // namespace olvar::velk
