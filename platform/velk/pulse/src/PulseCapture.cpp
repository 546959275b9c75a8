#include "velk/PulseCapture.h"

#include <pulse/error.h>
#include <pulse/simple.h>
#include <pulse/timeval.h>

namespace olvar::velk {
namespace {

// The blocking client API on a connection of its own: a recording is read by one thread
// from start to end, so the backend's event loop is not involved.
class PulseCaptureStream : public CaptureStream {
public:
    PulseCaptureStream(pa_simple* connection, int sampleRate) : m_connection(connection), m_sampleRate(sampleRate) {}
    ~PulseCaptureStream() override { pa_simple_free(m_connection); }
    PulseCaptureStream(const PulseCaptureStream&) = delete;
    PulseCaptureStream& operator=(const PulseCaptureStream&) = delete;

    bool read(std::int16_t* samples, std::size_t count) override {
        int error = 0;
        return pa_simple_read(m_connection, samples, count * sizeof(std::int16_t), &error) == 0;
    }
    int sampleRate() const override { return m_sampleRate; }

private:
    pa_simple* m_connection;
    const int m_sampleRate;
};

}  // namespace

std::unique_ptr<CaptureStream> openPulseCapture(const std::string& server, const std::string& sourceName,
                                                int sampleRate, std::string& error) {
    const pa_sample_spec layout{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(sampleRate), 1};
    if (!pa_sample_spec_valid(&layout)) {
        error = "cannot record at " + std::to_string(sampleRate) + " Hz";
        return nullptr;
    }
    pa_buffer_attr buffering{};
    buffering.maxlength = static_cast<std::uint32_t>(-1);
    buffering.fragsize = static_cast<std::uint32_t>(pa_usec_to_bytes(20 * PA_USEC_PER_MSEC, &layout));
    int code = 0;
    pa_simple* connection =
        pa_simple_new(server.empty() ? nullptr : server.c_str(), "MediaDeviceService", PA_STREAM_RECORD,
                      sourceName.c_str(), "microphone check", &layout, nullptr, &buffering, &code);
    if (!connection) {
        error = "cannot record from " + sourceName + ": " + pa_strerror(code);
        return nullptr;
    }
    return std::make_unique<PulseCaptureStream>(connection, sampleRate);
}

}  // namespace olvar::velk
