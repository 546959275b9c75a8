// Recording from the tests' sound server: what is played into a sink comes back from its
// monitor, and a source that does not exist is refused with the server's reason.
#include <gtest/gtest.h>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <pulse/timeval.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "PulseTestSupport.h"
#include "velk/PulseCapture.h"

using namespace olvar::velk;

namespace olvar::test {
namespace {


constexpr int kRate = 16000;

std::vector<std::int16_t> sine(int samples) {
    std::vector<std::int16_t> values;
    for (int i = 0; i < samples; ++i)
        values.push_back(static_cast<std::int16_t>(16000 * std::sin(2 * 3.14159265358979 * 440 * i / kRate)));
    return values;
}

TEST(PulseCapture, RecordsWhatReachesASinksMonitor) {
    MDS_REQUIRE_PULSE_SERVER();
    const std::string sink = uniqueName("capture_sink");
    LoadedModule module(nullSinkArguments(sink), testServer());
    ASSERT_TRUE(module.loaded());
    std::string error;
    auto capture = openPulseCapture(testServer(), sink + ".monitor", kRate, error);
    ASSERT_TRUE(capture) << error;
    EXPECT_EQ(capture->sampleRate(), kRate);

    // The tone plays until the recording has heard it (a loaded server starts it late), or for
    // at most five seconds of recording.
    std::atomic<bool> heard{false};
    std::thread player([&] {
        const pa_sample_spec layout{PA_SAMPLE_S16LE, kRate, 1};
        pa_buffer_attr buffering{};
        buffering.maxlength = buffering.prebuf = buffering.minreq = static_cast<std::uint32_t>(-1);
        buffering.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(100 * PA_USEC_PER_MSEC, &layout));
        int code = 0;
        pa_simple* out = pa_simple_new(testServer().c_str(), "capture test", PA_STREAM_PLAYBACK, sink.c_str(),
                                       "tone", &layout, nullptr, &buffering, &code);
        if (!out) return;
        const auto tone = sine(kRate / 10);  // 440 Hz fits 44 whole periods into 100 ms
        for (int chunk = 0; chunk < 60 && !heard; ++chunk) pa_simple_write(out, tone.data(), tone.size() * 2, &code);
        pa_simple_free(out);
    });
    std::vector<std::int16_t> recorded(kRate / 10);
    int loudest = 0;
    bool read = true;
    for (int chunk = 0; chunk < 50 && read && loudest <= 8000; ++chunk) {
        read = capture->read(recorded.data(), recorded.size());
        for (auto sample : recorded) loudest = std::max(loudest, std::abs(int{sample}));
    }
    heard = true;
    player.join();
    EXPECT_TRUE(read);
    EXPECT_GT(loudest, 8000);
}

TEST(PulseCapture, RefusesASourceThatIsNotThere) {
    MDS_REQUIRE_PULSE_SERVER();
    std::string error;
    EXPECT_FALSE(openPulseCapture(testServer(), "no_such_source", kRate, error));
    EXPECT_NE(error.find("cannot record from no_such_source"), std::string::npos) << error;
    EXPECT_FALSE(openPulseCapture(testServer(), "no_such_source", 0, error));
}

}  // namespace
}  // namespace olvar::test
