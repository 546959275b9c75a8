// Test support: records a sink's monitor (48 kHz, stereo, 16-bit) with the blocking client
// API, so a test can compare what reached the sink with what was played; and plays a tone
// into a sink, a test signal that either server carries.
#pragma once

#include <gtest/gtest.h>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <pulse/timeval.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "PulseTestSupport.h"

namespace olvar::test {

using namespace ::olvar::velk;

// Records a sink's monitor with the blocking client API until it has seen `wanted`
// samples after the first non-zero one, or until stopped.
class MonitorRecorder {
public:
    MonitorRecorder(const std::string& server, const std::string& sink, std::size_t wanted) : m_wanted(wanted) {
        const pa_sample_spec layout{PA_SAMPLE_S16LE, 48000, 2};
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<uint32_t>(-1);
        attr.fragsize = static_cast<uint32_t>(pa_usec_to_bytes(10 * PA_USEC_PER_MSEC, &layout));
        int error = 0;
        m_simple = pa_simple_new(server.c_str(), "test recorder", PA_STREAM_RECORD,
                                 (sink + ".monitor").c_str(), "monitor", &layout, nullptr, &attr, &error);
        if (m_simple == nullptr) ADD_FAILURE() << "cannot record " << sink << ": " << pa_strerror(error);
        else m_thread = std::thread([this] { record(); });
    }
    ~MonitorRecorder() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        if (m_simple) pa_simple_free(m_simple);
    }
    // The samples from the first non-zero one on, once all wanted have arrived or the
    // timeout has passed.
    std::vector<int16_t> finish() {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_full.wait_for(lock, kTimeout, [&] { return m_done; });
        }
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        return m_signal;
    }

private:
    void record() {
        std::vector<int16_t> block(960);
        while (!m_stop && m_signal.size() < m_wanted) {
            if (pa_simple_read(m_simple, block.data(), block.size() * sizeof(int16_t), nullptr) < 0) break;
            for (int16_t sample : block) {
                if (m_signal.empty() && sample == 0) continue;
                if (m_signal.size() < m_wanted) m_signal.push_back(sample);
            }
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
        m_full.notify_all();
    }

    const std::size_t m_wanted;
    pa_simple* m_simple = nullptr;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_full;
    bool m_done = false;
    std::vector<int16_t> m_signal;  // the recording thread's until it is done
    std::thread m_thread;
};

// Stereo frames that are never zero, climbing three steps a frame, the right channel the
// negative of the left: any sample lost, repeated, moved or swapped shows.
inline std::vector<int16_t> rampFrames(int frames) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i) {
        const auto value = static_cast<int16_t>(1 + (i * 3) % 30000);
        samples.push_back(value);
        samples.push_back(static_cast<int16_t>(-value));
    }
    return samples;
}

// What a recording of a sink's monitor may differ from the ramp played, and how it did.
// PulseAudio moves 16-bit samples to a 16-bit null sink untouched: every sample arrives,
// exactly. PipeWire mixes in 32-bit float, and its converters' scale (2^15 or 2^15 - 1) has
// differed between versions: a sample may be one step off. Its graph also runs in cycles
// across processes; a cycle that a loaded machine misses plays silence in the monitor, or
// loses the recorder's share. So there every sample that is not silence must be within one
// step of a played one, in the played order, none twice; silence and gaps are counted.
struct RecordingCheck {
    bool passed = false;
    std::string problem;
    int largestError = 0;
    std::size_t silent = 0;
    std::size_t skipped = 0;
};

inline RecordingCheck checkRecording(const std::vector<int16_t>& recorded, const std::vector<int16_t>& played) {
    RecordingCheck check;
    std::ostringstream problem;
    if (soundServerUnderTest() == SoundServerKind::PulseAudio) {
        if (recorded.size() != played.size()) problem << recorded.size() << " samples of " << played.size();
        for (std::size_t i = 0; i < recorded.size() && i < played.size() && problem.tellp() == 0; ++i)
            if (recorded[i] != played[i]) problem << "sample " << i << " played as " << played[i] << ", recorded as " << recorded[i];
    } else {
        std::size_t next = 0;
        for (std::size_t i = 0; i < recorded.size() && problem.tellp() == 0; ++i) {
            if (recorded[i] == 0) {
                ++check.silent;
                continue;
            }
            std::size_t at = next;
            while (at < played.size() && std::abs(played[at] - recorded[i]) > 1) ++at;
            if (at == played.size()) {
                problem << "sample " << i << " recorded as " << recorded[i] << " matches no later played sample";
                break;
            }
            check.largestError = std::max(check.largestError, std::abs(played[at] - recorded[i]));
            check.skipped += at - next;
            next = at + 1;
        }
        if (problem.tellp() == 0 && check.silent + check.skipped > played.size() / 2)
            problem << check.silent << " silent and " << check.skipped << " lost samples of " << played.size();
    }
    check.problem = problem.str();
    check.passed = check.problem.empty();
    return check;
}

// Plays a 440 Hz tone at half of full scale into a sink until it goes.
class TestSignal {
public:
    TestSignal(const std::string& server, const std::string& sink) {
        const pa_sample_spec layout{PA_SAMPLE_S16LE, 48000, 2};
        int error = 0;
        m_simple = pa_simple_new(server.c_str(), "test signal", PA_STREAM_PLAYBACK, sink.c_str(), "tone", &layout,
                                 nullptr, nullptr, &error);
        if (m_simple == nullptr) ADD_FAILURE() << "cannot play into " << sink << ": " << pa_strerror(error);
        else m_thread = std::thread([this] { play(); });
    }
    ~TestSignal() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        if (m_simple) pa_simple_free(m_simple);
    }
    TestSignal(const TestSignal&) = delete;
    TestSignal& operator=(const TestSignal&) = delete;

private:
    // The server paces the writes: each returns once the server has room for the block.
    void play() {
        std::vector<int16_t> block(2 * 480);  // 10 ms
        long frame = 0;
        while (!m_stop) {
            for (std::size_t i = 0; i < block.size(); i += 2, ++frame)
                block[i] = block[i + 1] = static_cast<int16_t>(16384 * std::sin(2 * M_PI * 440 * frame / 48000.0));
            if (pa_simple_write(m_simple, block.data(), block.size() * sizeof(int16_t), nullptr) < 0) break;
        }
    }

    pa_simple* m_simple = nullptr;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace olvar::test
