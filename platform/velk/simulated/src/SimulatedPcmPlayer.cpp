#include "SimulatedPcmPlayer.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "SourceReading.h"
#include "velk/PcmFormat.h"

namespace olvar::velk {

namespace {

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
    : PcmPlayerBase(OlvarLogger_getLogger("velk-SimulatedPcmPlayer")), m_registry(std::move(registry)),
      m_recorder(std::move(recorder)), m_pacing(pacing), m_pcmKeptPerStream(pcmKeptPerStream) {}

SimulatedPcmPlayer::~SimulatedPcmPlayer() { shutdown(); }

void SimulatedPcmPlayer::addPlaybackObserver(PcmPlayer_Observer* observer) {
    m_recorder->record("addPlaybackObserver");
    PcmPlayerBase::addPlaybackObserver(observer);
}

void SimulatedPcmPlayer::removePlaybackObserver(PcmPlayer_Observer* observer) {
    m_recorder->record("removePlaybackObserver");
    PcmPlayerBase::removePlaybackObserver(observer);
}

void SimulatedPcmPlayer::startStreamPlayout(PlayoutStreamPtr& stream, int formatCode, const std::string& deviceName,
                                            Source* source) {
    m_recorder->record("startStreamPlayout " + std::to_string(formatCode) + " " + deviceName);
    stream.reset();
    if (!canStart(formatCode, deviceName, source)) return;

    // In the history before its thread runs, so that whoever hears of its end finds it there.
    std::lock_guard<std::mutex> lock(m_mutex);
    auto playout = std::make_shared<SimulatedPlayoutStream>(m_nextStreamId++, deviceName, formatCode, m_recorder,
                                                           m_pcmKeptPerStream);
    const bool started = launch(playout, [playout, source, pacing = m_pacing](const ReportEnd& reportEnd) {
        play(playout, source, pacing);
        reportEnd();
    });
    if (!started) return;
    m_history.push_back(playout);
    stream = playout;
}

void SimulatedPcmPlayer::setAudioBufferingMode(int mode) {
    m_recorder->record("setAudioBufferingMode " + std::to_string(mode));
    PcmPlayerBase::setAudioBufferingMode(mode);
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

void SimulatedPcmPlayer::play(const std::shared_ptr<SimulatedPlayoutStream>& stream, Source* source, Pacing pacing) {
    // Runs on the stream's thread, which may outlive the player: no member is used here.
    const OlvarLoggerHandle logger = OlvarLogger_getLogger("velk-SimulatedPcmPlayer");
    const int byteRate = pcmFormatByteRate(stream->formatCode());
    std::vector<char> buffer(static_cast<std::size_t>(chunkBytes(stream->formatCode())));
    const auto start = std::chrono::steady_clock::now();
    std::int64_t total = 0;
    while (!stream->stopRequested()) {
        const int n = readSource(source, buffer, logger);
        if (n <= 0) break;
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
}

}  // namespace olvar::velk
