#include "SimulatedPlayoutStream.h"

#include <algorithm>

namespace olvar::velk {

SimulatedPlayoutStream::SimulatedPlayoutStream(int id, std::string deviceName, int formatCode,
                                               std::shared_ptr<CallRecorder> recorder, std::size_t pcmKept)
    : m_id(id), m_deviceName(std::move(deviceName)), m_formatCode(formatCode), m_recorder(std::move(recorder)),
      m_pcmKept(pcmKept), m_checksum(kPcmChecksumSeed) {}

void SimulatedPlayoutStream::addPulled(const char* data, int size) {
    {
        std::lock_guard<std::mutex> lock(m_pcmMutex);
        const auto bytes = static_cast<std::size_t>(size);
        m_checksum = pcmChecksum(m_checksum, data, bytes);
        if (m_pcm.size() < m_pcmKept) m_pcm.append(data, std::min(bytes, m_pcmKept - m_pcm.size()));
    }
    m_bytesConsumed += size;
}

std::uint64_t SimulatedPlayoutStream::checksum() const {
    std::lock_guard<std::mutex> lock(m_pcmMutex);
    return m_checksum;
}

std::string SimulatedPlayoutStream::pcm() const {
    std::lock_guard<std::mutex> lock(m_pcmMutex);
    return m_pcm;
}

bool SimulatedPlayoutStream::isPlaying() { return m_playing.load(); }

void SimulatedPlayoutStream::stop() {
    m_recorder->record("stop " + std::to_string(m_id));
    {
        std::lock_guard<std::mutex> lock(m_wakeMutex);
        m_stopRequested = true;
    }
    m_wake.notify_all();
}

bool SimulatedPlayoutStream::waitUntilStopped(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock<std::mutex> lock(m_wakeMutex);
    return m_wake.wait_until(lock, deadline, [this] { return m_stopRequested.load(); });
}

}  // namespace olvar::velk
