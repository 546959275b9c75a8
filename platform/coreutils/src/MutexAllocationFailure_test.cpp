#include <gtest/gtest.h>

#include <atomic>
#include <new>

#include "olvar/Mutex.h"

namespace {
std::atomic<bool> g_failNothrowNew{false};
}  // namespace

// Lets a test make the nothrow allocation inside olvar::Mutex fail; otherwise it forwards
// to the ordinary allocator so that the matching delete stays correct.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (g_failNothrowNew.load()) {
        return nullptr;
    }
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

namespace olvar::test {
namespace {

TEST(MutexAllocationFailure, PrintsTheErrorAndLockingBecomesANoOp) {
    testing::internal::CaptureStdout();
    g_failNothrowNew = true;
    {
        olvar::Mutex mutex;
        g_failNothrowNew = false;
        olvar::MutexGuard guard(mutex);
        mutex.unlock();
        mutex.lock();
    }
    g_failNothrowNew = false;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error in Mutex::Mutex(): could not allocate memory\n");
}

}  // namespace
}  // namespace olvar::test
