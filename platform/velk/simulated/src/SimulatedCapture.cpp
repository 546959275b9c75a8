#include "velk/SimulatedCapture.h"

#include <chrono>
#include <cmath>
#include <thread>

#include "velk/SimulatedBackend.h"

namespace olvar::velk {
namespace {

class SimulatedCaptureStream : public CaptureStream {
public:
    SimulatedCaptureStream(SimulatedBackend& backend, std::string deviceName, int sampleRate)
        : m_backend(backend), m_deviceName(std::move(deviceName)), m_sampleRate(sampleRate) {}

    bool read(std::int16_t* samples, std::size_t count) override {
        // A microphone hands its samples over as time passes: this one keeps to the clock
        // from the stream's start.
        const auto due = m_start + std::chrono::microseconds(static_cast<std::int64_t>(
                                       (m_index + count) * 1000000.0 / m_sampleRate));
        std::this_thread::sleep_until(due);
        if (!plugged()) return false;
        for (std::size_t i = 0; i < count; ++i) samples[i] = simulatedMicrophoneSample(m_index++, m_sampleRate);
        return true;
    }
    int sampleRate() const override { return m_sampleRate; }

private:
    bool plugged() {
        for (const auto& device : m_backend.devices(DEVICE_KIND_RECORDING))
            if (device && device->getSelectionId() == m_deviceName) return true;
        return false;
    }

    SimulatedBackend& m_backend;
    const std::string m_deviceName;
    const int m_sampleRate;
    const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::size_t m_index = 0;
};

}  // namespace

std::int16_t simulatedMicrophoneSample(std::size_t index, int sampleRate) {
    constexpr double kPi = 3.14159265358979323846;
    const double phase = 2 * kPi * kSimulatedMicrophoneHz * static_cast<double>(index) / sampleRate;
    return static_cast<std::int16_t>(std::lround(kSimulatedMicrophoneAmplitude * 32767 * std::sin(phase)));
}

std::unique_ptr<CaptureStream> openSimulatedCapture(SimulatedBackend& backend, const std::string& deviceName,
                                                    int sampleRate, std::string& error) {
    if (sampleRate < 8000 || sampleRate > 192000) {
        error = "cannot record at " + std::to_string(sampleRate) + " Hz";
        return nullptr;
    }
    for (const auto& device : backend.devices(DEVICE_KIND_RECORDING))
        if (device && device->getSelectionId() == deviceName)
            return std::make_unique<SimulatedCaptureStream>(backend, deviceName, sampleRate);
    error = "no microphone " + deviceName + " to record from";
    return nullptr;
}

}  // namespace olvar::velk
