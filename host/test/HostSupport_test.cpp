// The host's pieces that need no module: its output formats, Ctrl-C as an event, type names.
#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <sstream>
#include <thread>
#include <vector>

#include "DeviceTypes.h"
#include "Interruption.h"
#include "Output.h"

namespace olvar::test {
namespace {

using nlohmann::ordered_json;

TEST(HostOutput, EachFormatPrintsEventsAndResultItsWay) {
    std::ostringstream text, document, lines;
    Host::Output textOut(text, Host::OutputFormat::Text);
    Host::Output documentOut(document, Host::OutputFormat::JsonDocument);
    Host::Output linesOut(lines, Host::OutputFormat::JsonLines);
    for (auto* out : {&textOut, &documentOut, &linesOut}) {
        out->event({{"event", "A"}}, "first");
        out->event({{"event", "B"}}, "second");
        out->result({{"done", true}}, "end\n");
    }
    EXPECT_EQ(text.str(), "first\nsecond\nend\n");
    EXPECT_EQ(ordered_json::parse(document.str()),
              ordered_json({{"done", true}, {"events", {{{"event", "A"}}, {{"event", "B"}}}}}));
    EXPECT_EQ(lines.str(), "{\"event\":\"A\"}\n{\"event\":\"B\"}\n{\"done\":true}\n");
}

// Events come from several threads at once; every line stays whole.
TEST(HostOutput, EventsFromManyThreadsStayWhole) {
    std::ostringstream lines;
    Host::Output out(lines, Host::OutputFormat::JsonLines);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&out, t] {
            for (int i = 0; i < 200; ++i) out.event({{"thread", t}, {"i", i}}, "");
        });
    for (auto& thread : threads) thread.join();
    std::istringstream in(lines.str());
    int count = 0;
    for (std::string line; std::getline(in, line); ++count) EXPECT_NO_THROW(ordered_json::parse(line)) << line;
    EXPECT_EQ(count, 800);
}

TEST(HostInterruption, ASignalEndsTheWaitAndIsKept) {
    Host::Interruption interruption;
    EXPECT_FALSE(interruption.waitFor(std::chrono::milliseconds(0)));
    // Sent before anyone waits: the wait without a limit still ends.
    kill(getpid(), SIGINT);
    EXPECT_TRUE(interruption.waitFor(std::chrono::milliseconds(-1)));
    EXPECT_TRUE(interruption.interrupted());
}

TEST(HostInterruption, WakeEndsTheWaitOnceDoneHolds) {
    Host::Interruption interruption;
    std::atomic<bool> done{false};
    std::thread finisher([&] {
        done = true;
        interruption.wake();
    });
    EXPECT_FALSE(interruption.waitFor(std::chrono::milliseconds(-1), [&] { return done.load(); }));
    finisher.join();
    EXPECT_FALSE(interruption.interrupted());
}

TEST(HostDeviceTypes, NamesAreReadInAnyLetterCase) {
    EXPECT_EQ(Host::parseDeviceType("Speaker"), OlvarUnified::MediaDeviceTypeEnum::SPEAKER);
    EXPECT_EQ(Host::parseDeviceType("MICROPHONE"), OlvarUnified::MediaDeviceTypeEnum::MICROPHONE);
    EXPECT_EQ(Host::parseDeviceType("camera"), OlvarUnified::MediaDeviceTypeEnum::CAMERA);
    for (const char* wrong : {"", "speakers", "mic", "0", "ringer "}) EXPECT_FALSE(Host::parseDeviceType(wrong)) << wrong;
    for (const auto& entry : Host::kDeviceTypes) EXPECT_EQ(Host::parseDeviceType(Host::deviceTypeName(entry.type)), entry.type);
}

}  // namespace
}  // namespace olvar::test
