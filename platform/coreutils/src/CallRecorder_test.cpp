#include "olvar/CallRecorder.h"

#include <gtest/gtest.h>

namespace olvar::test {
namespace {

// A recorder keeps every call unless the process asked for a limit; then it keeps at least
// the most recent ones, in order, and never more than twice the limit.
TEST(CallRecorder, KeepsEverythingUnlessTheProcessLimitsIt) {
    olvar::CallRecorder all;
    for (int i = 0; i < 1000; ++i) all.record("call " + std::to_string(i));
    EXPECT_EQ(all.calls().size(), 1000u);

    olvar::CallRecorder::setProcessLimit(10);
    olvar::CallRecorder recent;
    for (int i = 0; i < 1000; ++i) {
        recent.record("call " + std::to_string(i));
        ASSERT_LE(recent.calls().size(), 20u);
    }
    const auto kept = recent.calls();
    ASSERT_GE(kept.size(), 10u);
    EXPECT_EQ(kept.back(), "call 999");
    for (std::size_t i = 1; i < kept.size(); ++i)
        EXPECT_EQ(kept[i], "call " + std::to_string(999 - (kept.size() - 1 - i))) << "the newest, in order";
    olvar::CallRecorder::setProcessLimit(0);
}

}  // namespace
}  // namespace olvar::test
