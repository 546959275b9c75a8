#include "SimulatedPlayoutStream.h"

namespace olvar::velk {

SimulatedPlayoutStream::SimulatedPlayoutStream(int id, std::string deviceName, int formatCode,
                                               std::shared_ptr<CallRecorder> recorder)
    : m_id(id), m_deviceName(std::move(deviceName)), m_formatCode(formatCode), m_recorder(std::move(recorder)) {}

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
