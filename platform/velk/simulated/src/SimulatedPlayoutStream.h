// One stream of the simulated PCM player: its identity, playing state, stop request and
// what it took from its source (count, checksum and the first bytes).
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "velk/SimulatedBackend.h"

#include "olvar/CallRecorder.h"
#include "velk/DeviceManager.h"

namespace olvar::velk {

class SimulatedPlayoutStream : public PlayoutStream {
public:
    SimulatedPlayoutStream(int id, std::string deviceName, int formatCode, std::shared_ptr<CallRecorder> recorder,
                           std::size_t pcmKept);

    bool isPlaying() override;
    void stop() override;  // asks the player thread to end; never waits for it

    int id() const { return m_id; }
    const std::string& deviceName() const { return m_deviceName; }
    int formatCode() const { return m_formatCode; }
    std::int64_t bytesConsumed() const { return m_bytesConsumed.load(); }
    bool stopRequested() const { return m_stopRequested.load(); }

    std::uint64_t checksum() const;
    std::string pcm() const;

    // Player thread side.
    void addPulled(const char* data, int size);
    void markFinished() { m_playing = false; }
    // Waits until the deadline or a stop request; true when stopped.
    bool waitUntilStopped(std::chrono::steady_clock::time_point deadline);

private:
    const int m_id;
    const std::string m_deviceName;
    const int m_formatCode;
    std::shared_ptr<CallRecorder> m_recorder;
    std::atomic<bool> m_playing{true};
    std::atomic<bool> m_stopRequested{false};
    std::atomic<std::int64_t> m_bytesConsumed{0};
    const std::size_t m_pcmKept;
    mutable std::mutex m_pcmMutex;
    std::uint64_t m_checksum;
    std::string m_pcm;
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
};

}  // namespace olvar::velk
