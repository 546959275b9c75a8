#include "PulsePeakMeters.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "VelkLog.h"
#include "olvar/NamedLogger.h"

namespace olvar::velk {

namespace {
constexpr auto logger = &olvar::namedLogger<"velk-PulsePeakMeters">;

// With peak detection the server sends one float per fragment: the fragment's peak.
constexpr uint32_t kReadingsPerSecond = 25;
}  // namespace

PulsePeakMeters::PulsePeakMeters(PulseConnection& connection) : m_connection(connection) {}

void PulsePeakMeters::closeAll() {
    m_connection.withContext([&](pa_context*) {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto& [source, meter] : m_meters) close(meter.stream);
        m_meters.clear();
    });
}

bool PulsePeakMeters::initialize(const std::string& source) {
    bool opened = false;
    m_connection.withContext([&](pa_context* context) {
        if (context == nullptr) return;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_meters.count(source) != 0) {
                opened = true;
                return;
            }
        }
        pa_stream* stream = open(context, source);
        if (stream == nullptr) return;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_meters[source].stream = stream;
        opened = true;
    });
    return opened;
}

void PulsePeakMeters::uninitialize(const std::string& source) {
    m_connection.withContext([&](pa_context*) {
        pa_stream* stream = nullptr;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            const auto it = m_meters.find(source);
            if (it == m_meters.end()) return;
            stream = it->second.stream;
            m_meters.erase(it);
        }
        close(stream);
    });
}

float PulsePeakMeters::level(const std::string& source) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_meters.find(source);
    return it == m_meters.end() ? 0.0f : it->second.level;
}

bool PulsePeakMeters::waitForReadings(const std::string& source, int count, std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto it = m_meters.find(source);
    if (it == m_meters.end()) return false;
    const long target = it->second.readings + count;
    return m_read.wait_for(lock, timeout, [&] {
        const auto now = m_meters.find(source);
        return now != m_meters.end() && now->second.readings >= target;
    });
}

void PulsePeakMeters::reopenAll(pa_context* context) {
    std::vector<std::string> sources;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& [source, meter] : m_meters) sources.push_back(source);
    }
    for (const std::string& source : sources) {
        pa_stream* stream = open(context, source);
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = m_meters.find(source);
        if (it == m_meters.end() || it->second.stream != nullptr) {
            close(stream);
            continue;
        }
        it->second.stream = stream;
    }
}

void PulsePeakMeters::forgetStreams() {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& [source, meter] : m_meters) {
        close(meter.stream);
        meter.stream = nullptr;
        meter.level = 0;
    }
}

pa_stream* PulsePeakMeters::open(pa_context* context, const std::string& source) {
    const pa_sample_spec layout{PA_SAMPLE_FLOAT32NE, kReadingsPerSecond, 1};
    pa_stream* stream = pa_stream_new(context, "peak meter", &layout, nullptr);
    if (stream == nullptr) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "no peak meter for '" + source + "': " +
                                                  pa_strerror(pa_context_errno(context)));
        return nullptr;
    }
    auto& callback = m_callbacks[source];
    if (!callback) callback = std::make_unique<Callback>(Callback{this, source});
    pa_stream_set_read_callback(stream, &PulsePeakMeters::onRead, callback.get());
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.fragsize = sizeof(float);
    const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_PEAK_DETECT | PA_STREAM_ADJUST_LATENCY |
                                                      PA_STREAM_DONT_MOVE);
    if (pa_stream_connect_record(stream, source.c_str(), &attr, flags) < 0) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "no peak meter for '" + source + "': " +
                                                  pa_strerror(pa_context_errno(context)));
        pa_stream_set_read_callback(stream, nullptr, nullptr);
        pa_stream_unref(stream);
        return nullptr;
    }
    return stream;
}

void PulsePeakMeters::close(pa_stream* stream) {
    if (stream == nullptr) return;
    pa_stream_set_read_callback(stream, nullptr, nullptr);
    if (pa_stream_get_state(stream) == PA_STREAM_READY || pa_stream_get_state(stream) == PA_STREAM_CREATING) {
        pa_stream_disconnect(stream);
    }
    pa_stream_unref(stream);
}

void PulsePeakMeters::onRead(pa_stream* stream, size_t, void* data) {
    auto* callback = static_cast<Callback*>(data);
    const void* samples = nullptr;
    size_t bytes = 0;
    while (pa_stream_readable_size(stream) > 0) {
        if (pa_stream_peek(stream, &samples, &bytes) < 0) return;
        if (bytes == 0) break;  // nothing buffered after all
        float peak = 0;
        if (samples != nullptr) {  // null is a hole: silence
            const auto* values = static_cast<const float*>(samples);
            for (size_t i = 0; i < bytes / sizeof(float); ++i) peak = std::max(peak, std::fabs(values[i]));
        }
        pa_stream_drop(stream);
        callback->meters->store(callback->source, peak);
    }
}

void PulsePeakMeters::store(const std::string& source, float level) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = m_meters.find(source);
        if (it == m_meters.end()) return;
        it->second.level = std::clamp(level, 0.0f, 1.0f);
        ++it->second.readings;
    }
    m_read.notify_all();
}

}  // namespace olvar::velk
