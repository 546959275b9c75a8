// Recording from the tests' sound server: what is played into a sink comes back from its
// monitor, and a source that does not exist is refused with the server's reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "PulseMonitorRecorder.h"
#include "PulseTestSupport.h"
#include "velk/PulseCapture.h"

using namespace olvar::velk;

namespace olvar::test {
namespace {

constexpr int kRate = 16000;

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
    std::vector<std::int16_t> recorded(kRate / 10);
    int loudest = 0;
    bool read = true;
    {
        TestSignal tone(testServer(), sink);
        for (int chunk = 0; chunk < 50 && read && loudest <= 8000; ++chunk) {
            read = capture->read(recorded.data(), recorded.size());
            for (auto sample : recorded) loudest = std::max(loudest, std::abs(int{sample}));
        }
    }
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
