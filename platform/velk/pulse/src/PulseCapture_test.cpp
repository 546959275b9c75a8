// Recording from the tests' sound server: what is played into a sink comes back from its
// monitor, and a source that does not exist is refused with the server's reason.
#include <gtest/gtest.h>
#include <pulse/error.h>
#include <pulse/simple.h>

#include <cmath>
#include <thread>
#include <vector>

#include "PulseTestSupport.h"
#include "velk/PulseCapture.h"

namespace olvar::velk {
namespace {

using testing::LoadedModule;
using testing::nullSinkArguments;
using testing::uniqueName;

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
    LoadedModule module(nullSinkArguments(sink), testing::testServer());
    ASSERT_TRUE(module.loaded());
    std::string error;
    auto capture = openPulseCapture(testing::testServer(), sink + ".monitor", kRate, error);
    ASSERT_TRUE(capture) << error;
    EXPECT_EQ(capture->sampleRate(), kRate);

    // Played for longer than recorded, so the recording never runs past the tone.
    std::thread player([&] {
        const pa_sample_spec layout{PA_SAMPLE_S16LE, kRate, 1};
        int code = 0;
        pa_simple* out = pa_simple_new(testing::testServer().c_str(), "capture test", PA_STREAM_PLAYBACK, sink.c_str(),
                                       "tone", &layout, nullptr, nullptr, &code);
        if (!out) return;
        const auto tone = sine(kRate * 6 / 5);
        pa_simple_write(out, tone.data(), tone.size() * 2, &code);
        pa_simple_drain(out, &code);
        pa_simple_free(out);
    });
    std::vector<std::int16_t> recorded(kRate / 2);
    const bool read = capture->read(recorded.data(), recorded.size());
    player.join();
    ASSERT_TRUE(read);
    int loudest = 0;
    for (auto sample : recorded) loudest = std::max(loudest, std::abs(int{sample}));
    EXPECT_GT(loudest, 8000);
}

TEST(PulseCapture, RefusesASourceThatIsNotThere) {
    MDS_REQUIRE_PULSE_SERVER();
    std::string error;
    EXPECT_FALSE(openPulseCapture(testing::testServer(), "no_such_source", kRate, error));
    EXPECT_NE(error.find("cannot record from no_such_source"), std::string::npos) << error;
    EXPECT_FALSE(openPulseCapture(testing::testServer(), "no_such_source", 0, error));
}

}  // namespace
}  // namespace olvar::velk
