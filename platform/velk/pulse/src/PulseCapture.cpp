#include "velk/PulseCapture.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
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

// Asks the server whether it has a source of that name. A record stream aimed at a missing
// source is not refused by every server: some quietly record from their default source
// instead, which would check the wrong microphone.
bool sourceExists(const std::string& server, const std::string& sourceName, std::string& error) {
    pa_mainloop* loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "MediaDeviceService");
    enum class Answer { Waiting, Found, Missing, Failed } answer = Answer::Waiting;
    pa_operation* lookup = nullptr;
    if (pa_context_connect(context, server.empty() ? nullptr : server.c_str(), PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        answer = Answer::Failed;
    while (answer == Answer::Waiting) {
        const pa_context_state_t state = pa_context_get_state(context);
        if (!PA_CONTEXT_IS_GOOD(state)) {
            answer = Answer::Failed;
            break;
        }
        if (state == PA_CONTEXT_READY && !lookup)
            lookup = pa_context_get_source_info_by_name(
                context, sourceName.c_str(),
                [](pa_context*, const pa_source_info* info, int last, void* result) {
                    auto& found = *static_cast<Answer*>(result);
                    if (info) found = Answer::Found;
                    else if (last != 0 && found == Answer::Waiting) found = Answer::Missing;
                },
                &answer);
        if (pa_mainloop_iterate(loop, 1, nullptr) < 0) answer = Answer::Failed;
    }
    if (answer == Answer::Failed) error = "cannot record from " + sourceName + ": " + pa_strerror(pa_context_errno(context));
    else if (answer == Answer::Missing) error = "cannot record from " + sourceName + ": no such source";
    if (lookup) {
        pa_operation_cancel(lookup);
        pa_operation_unref(lookup);
    }
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_mainloop_free(loop);
    return answer == Answer::Found;
}

}  // namespace

std::unique_ptr<CaptureStream> openPulseCapture(const std::string& server, const std::string& sourceName,
                                                int sampleRate, std::string& error) {
    const pa_sample_spec layout{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(sampleRate), 1};
    if (!pa_sample_spec_valid(&layout)) {
        error = "cannot record at " + std::to_string(sampleRate) + " Hz";
        return nullptr;
    }
    if (!sourceExists(server, sourceName, error)) return nullptr;
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
