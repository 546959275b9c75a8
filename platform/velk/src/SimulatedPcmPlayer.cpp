#include "SimulatedPcmPlayer.h"

#include <pthread.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <vector>

#include "SourceReading.h"
#include "VelkLog.h"
#include "olvar/PendingWork.h"
#include "velk/PcmFormat.h"

namespace olvar::velk {

namespace {
OlvarLoggerHandle logger() {
    static const OlvarLoggerHandle handle = OlvarLogger_getLogger("velk-SimulatedPcmPlayer");
    return handle;
}

constexpr int kChunksPerSecond = 100;

int chunkBytes(int formatCode) {
    int rate = 0, channels = 0, bits = 0;
    decodePcmFormatCode(formatCode, rate, channels, bits);
    const int frame = std::max(1, channels * bits / 8);
    const int perChunk = rate * frame / kChunksPerSecond;
    return std::max(frame, perChunk / frame * frame);
}

}  // namespace

SimulatedPcmPlayer::SimulatedPcmPlayer(std::shared_ptr<DeviceRegistry> registry,
                                       std::shared_ptr<CallRecorder> recorder, Pacing pacing,
                                       std::size_t pcmKeptPerStream)
    : m_registry(std::move(registry)), m_recorder(std::move(recorder)), m_pacing(pacing),
      m_pcmKeptPerStream(pcmKeptPerStream),
      m_observers(std::make_shared<Observers>()) {}

SimulatedPcmPlayer::~SimulatedPcmPlayer() { shutdown(); }

void SimulatedPcmPlayer::addPlaybackObserver(PcmPlayer_Observer* observer) {
    m_recorder->record("addPlaybackObserver");
    m_observers->add(observer);
}

void SimulatedPcmPlayer::removePlaybackObserver(PcmPlayer_Observer* observer) {
    m_recorder->record("removePlaybackObserver");
    m_observers->remove(observer);
}

void SimulatedPcmPlayer::startStreamPlayout(PlayoutStreamPtr& stream, int formatCode, const std::string& deviceName,
                                            Source* source) {
    m_recorder->record("startStreamPlayout " + std::to_string(formatCode) + " " + deviceName);
    stream.reset();
    if (!canStart(formatCode, deviceName, source)) return;

    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_shutDown) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "startStreamPlayout after shutdown; no stream");
        return;
    }
    reapFinishedWorkers();
    auto playout = std::make_shared<SimulatedPlayoutStream>(m_nextStreamId++, deviceName, formatCode, m_recorder,
                                                           m_pcmKeptPerStream);
    auto done = std::make_shared<std::atomic<bool>>(false);
    PendingWork::begin();  // ended by the player thread once the finished reports returned
    m_workers.push_back(Worker{playout, done, std::thread(&SimulatedPcmPlayer::play, playout, source, m_pacing,
                                                          m_observers, done)});
    m_history.push_back(playout);
    stream = playout;
}

void SimulatedPcmPlayer::setAudioBufferingMode(int mode) {
    m_recorder->record("setAudioBufferingMode " + std::to_string(mode));
    if (mode < 0 || mode > 2) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "audio buffering mode " + std::to_string(mode) + " ignored");
        return;
    }
    m_bufferingMode = mode;
}

int SimulatedPcmPlayer::getAudioBufferingMode() const { return m_bufferingMode.load(); }

void SimulatedPcmPlayer::shutdown() {
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
            // Shut down from a finished report on this very thread: it ends on its own.
            worker.thread.detach();
        } else {
            worker.thread.join();
        }
    }
}

std::int64_t SimulatedPcmPlayer::bytesConsumed(const PlayoutStreamPtr& stream) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& playout : m_history) {
        if (playout == stream) return playout->bytesConsumed();
    }
    return -1;
}

std::vector<PlayoutRecord> SimulatedPcmPlayer::playouts() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<PlayoutRecord> records;
    for (const auto& p : m_history) {
        records.push_back(PlayoutRecord{p->id(), p->deviceName(), p->formatCode(), p->bytesConsumed(),
                                        p->isPlaying(), p->stopRequested(), p->checksum(), p->pcm()});
    }
    return records;
}

bool SimulatedPcmPlayer::canStart(int formatCode, const std::string& deviceName, Source* source) const {
    if (pcmFormatByteRate(formatCode) <= 0) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "unsupported format code " + std::to_string(formatCode));
        return false;
    }
    if (!m_registry->isPresent(DEVICE_KIND_PLAYBACK, deviceName)) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "no playback device named '" + deviceName + "'");
        return false;
    }
    if (source == nullptr) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "no source given for '" + deviceName + "'");
        return false;
    }
    return true;
}

void SimulatedPcmPlayer::reapFinishedWorkers() {
    const auto finished = std::stable_partition(m_workers.begin(), m_workers.end(),
                                                [](const Worker& w) { return !w.done->load(); });
    for (auto it = finished; it != m_workers.end(); ++it) it->thread.join();
    m_workers.erase(finished, m_workers.end());
}

void SimulatedPcmPlayer::play(std::shared_ptr<SimulatedPlayoutStream> stream, Source* source, Pacing pacing,
                              std::shared_ptr<Observers> observers, std::shared_ptr<std::atomic<bool>> done) {
    pthread_setname_np(pthread_self(), "velk-playout");
    const int byteRate = pcmFormatByteRate(stream->formatCode());
    std::vector<char> buffer(static_cast<std::size_t>(chunkBytes(stream->formatCode())));
    const auto start = std::chrono::steady_clock::now();
    std::int64_t total = 0;
    while (!stream->stopRequested()) {
        int n = readSource(source, buffer, logger());
        if (n <= 0) break;
        if (n > static_cast<int>(buffer.size())) {
            VELK_LOG(logger(), OLVAR_LOG_ERROR, "the source reported more bytes than asked for; clamped");
            n = static_cast<int>(buffer.size());
        }
        stream->addPulled(buffer.data(), n);
        total += n;
        if (pacing == Pacing::RealTime) {
            const auto due = start + std::chrono::nanoseconds(total * 1000000000LL / byteRate);
            if (stream->waitUntilStopped(std::chrono::time_point_cast<std::chrono::steady_clock::duration>(due))) {
                break;
            }
        }
    }
    stream->markFinished();
    try {
        observers->forEach([&](PcmPlayer_Observer* o) { o->onPlayoutFinished(nullptr, stream); });
    } catch (...) {
        VELK_LOG(logger(), OLVAR_LOG_ERROR, "a playback observer threw");
    }
    PendingWork::end();
    done->store(true);
}

}  // namespace olvar::velk
