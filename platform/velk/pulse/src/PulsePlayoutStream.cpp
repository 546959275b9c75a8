#include "PulsePlayoutStream.h"

#include <algorithm>
#include <vector>

#include "SourceReading.h"
#include "VelkLog.h"
#include "olvar/NamedLogger.h"

namespace olvar::velk {

namespace {
constexpr auto logger = &olvar::namedLogger<"velk-PulsePlayoutStream">;

constexpr pa_usec_t kChunk = 20 * PA_USEC_PER_MSEC;      // one read from the source
constexpr pa_usec_t kReadAhead = 100 * PA_USEC_PER_MSEC;  // buffered ahead of the server

uint32_t targetLength(int bufferingMode, const pa_sample_spec& layout) {
    switch (bufferingMode) {
        case 0: return static_cast<uint32_t>(pa_usec_to_bytes(250 * PA_USEC_PER_MSEC, &layout));
        case 1: return static_cast<uint32_t>(pa_usec_to_bytes(40 * PA_USEC_PER_MSEC, &layout));
        default: return static_cast<uint32_t>(-1);
    }
}

}  // namespace

PulsePlayoutStream::PulsePlayoutStream(PulseConnection& connection, Source* source, std::string sinkName,
                                       const pa_sample_spec& layout, int bufferingMode)
    : m_connection(connection), m_source(source), m_sinkName(std::move(sinkName)), m_layout(layout),
      m_bufferingMode(bufferingMode), m_capacity(pa_usec_to_bytes(kReadAhead, &layout)) {}

// Normally closed by its feeding thread already; only a stream that never started is open here.
PulsePlayoutStream::~PulsePlayoutStream() {
    if (m_stream != nullptr) close();
}

bool PulsePlayoutStream::connect(pa_context* context) {
    m_stream = pa_stream_new(context, "playout", &m_layout, nullptr);
    if (m_stream == nullptr) return false;
    pa_stream_set_state_callback(m_stream, &PulsePlayoutStream::onState, this);
    pa_stream_set_write_callback(m_stream, &PulsePlayoutStream::onWrite, this);
    pa_buffer_attr attr;
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = targetLength(m_bufferingMode, m_layout);
    attr.prebuf = static_cast<uint32_t>(-1);
    attr.minreq = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(-1);
    // Never follow the server to another sink: a stream whose sink goes away has ended.
    if (pa_stream_connect_playback(m_stream, m_sinkName.c_str(), &attr, PA_STREAM_DONT_MOVE, nullptr, nullptr) < 0) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING,
                 "cannot play on '" + m_sinkName + "': " + pa_strerror(pa_context_errno(context)));
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        pa_stream_unref(m_stream);
        m_stream = nullptr;
        return false;
    }
    return true;
}

void PulsePlayoutStream::run(const std::function<void(const PlayoutStreamPtr&)>& finished) {
    std::vector<char> chunk(std::max<std::size_t>(pa_usec_to_bytes(kChunk, &m_layout), pa_frame_size(&m_layout)));
    while (waitForWork()) feed(chunk);
    close();
    m_playing = false;
    finished(shared_from_this());
}

bool PulsePlayoutStream::waitForWork() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait(lock, [&] { return m_stopRequested || m_ended || (!m_sourceEnded && m_buffer.size() < m_capacity); });
    return !m_stopRequested && !m_ended;
}

void PulsePlayoutStream::feed(std::vector<char>& chunk) {
    const int n = readSource(m_source, chunk, logger());
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (n <= 0) {
            m_sourceEnded = true;
        } else {
            m_buffer.insert(m_buffer.end(), chunk.begin(), chunk.begin() + n);
        }
    }
    m_connection.withContext([&](pa_context*) { pump(); });
}

void PulsePlayoutStream::pump() {
    if (m_stream == nullptr || pa_stream_get_state(m_stream) != PA_STREAM_READY) return;
    const std::size_t writable = pa_stream_writable_size(m_stream);
    if (writable == static_cast<std::size_t>(-1)) return;
    const std::size_t frame = pa_frame_size(&m_layout);
    std::vector<char> data;
    bool allWritten = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::size_t n = std::min(writable, m_buffer.size());
        n -= n % frame;
        data.assign(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(n));
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(n));
        allWritten = m_sourceEnded && m_buffer.size() < frame;  // a trailing partial frame is dropped
    }
    m_wake.notify_all();
    if (!data.empty()) pa_stream_write(m_stream, data.data(), data.size(), nullptr, 0, PA_SEEK_RELATIVE);
    if (!allWritten || m_draining) return;
    m_draining = true;
    pa_operation* drain = pa_stream_drain(m_stream, &PulsePlayoutStream::onDrained, this);
    if (drain) pa_operation_unref(drain);
    else markEnded();
}

void PulsePlayoutStream::markEnded() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ended = true;
    }
    m_wake.notify_all();
}

void PulsePlayoutStream::close() {
    m_connection.withContext([&](pa_context*) {
        if (m_stream == nullptr) return;
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        const pa_stream_state_t state = pa_stream_get_state(m_stream);
        if (state == PA_STREAM_READY || state == PA_STREAM_CREATING) pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
        m_stream = nullptr;
    });
}

bool PulsePlayoutStream::isPlaying() { return m_playing.load(); }

void PulsePlayoutStream::stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopRequested = true;
    }
    m_wake.notify_all();
}

void PulsePlayoutStream::onWrite(pa_stream*, size_t, void* self) { static_cast<PulsePlayoutStream*>(self)->pump(); }

void PulsePlayoutStream::onState(pa_stream* stream, void* self) {
    auto* playout = static_cast<PulsePlayoutStream*>(self);
    switch (pa_stream_get_state(stream)) {
        case PA_STREAM_READY:
            playout->pump();
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            playout->markEnded();
            break;
        default:
            break;
    }
}

void PulsePlayoutStream::onDrained(pa_stream*, int, void* self) { static_cast<PulsePlayoutStream*>(self)->markEnded(); }

}  // namespace olvar::velk
