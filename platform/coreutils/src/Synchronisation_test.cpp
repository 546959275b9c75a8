#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "olvar/Mutex.h"
#include "olvar/LogCapture.h"
#include "olvar/PendingWork.h"

namespace olvar::test {
namespace {

TEST(Mutex, OwnerMayLockAgainWhileOthersWait) {
    olvar::Mutex mutex;
    int counter = 0;
    auto incrementTwiceNested = [&] {
        olvar::MutexGuard outer(mutex);
        olvar::MutexGuard inner(mutex);
        ++counter;
        ++counter;
    };
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back([&] {
            for (int j = 0; j < 1000; ++j) incrementTwiceNested();
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(counter, 8000);
}

class PendingWorkCount : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(olvar::PendingWork::pending(), 0); }
};

TEST_F(PendingWorkCount, WaitIdleReturnsOnceEveryThreadHasEnded) {
    constexpr int kWorkers = 4;
    std::mutex mutex;
    std::condition_variable released;
    bool go = false;
    std::vector<std::thread> workers;
    // Written by each worker without a lock: a drain must see what the work did (under
    // ThreadSanitizer, reading them before the joins is a race unless idle acquires it).
    std::vector<int> results(kWorkers, 0);
    for (int i = 0; i < kWorkers; ++i) {
        olvar::PendingWork::begin();  // accepted before the producer hands it over
        workers.emplace_back([&, i] {
            std::unique_lock<std::mutex> lock(mutex);
            released.wait(lock, [&] { return go; });
            lock.unlock();
            results[i] = i + 1;
            olvar::PendingWork::end();
        });
    }
    EXPECT_EQ(olvar::PendingWork::pending(), kWorkers);
    EXPECT_FALSE(olvar::PendingWork::waitIdle(std::chrono::milliseconds(1)));
    {
        std::lock_guard<std::mutex> lock(mutex);
        go = true;
    }
    released.notify_all();
    EXPECT_TRUE(olvar::PendingWork::waitIdle());
    EXPECT_EQ(olvar::PendingWork::pending(), 0);
    EXPECT_EQ(results, (std::vector<int>{1, 2, 3, 4}));
    for (auto& worker : workers) worker.join();
}

TEST_F(PendingWorkCount, ScopeCountsOneUnitAndIdleReturnsAtOnce) {
    EXPECT_TRUE(olvar::PendingWork::waitIdle(std::chrono::milliseconds(0)));
    {
        olvar::PendingWorkScope scope;
        EXPECT_EQ(olvar::PendingWork::pending(), 1);
    }
    EXPECT_EQ(olvar::PendingWork::pending(), 0);
}

TEST_F(PendingWorkCount, UnbalancedEndIsLoggedAndClampedAtZero) {
    olvar::log::LogCapture logs;
    olvar::PendingWork::end();
    EXPECT_EQ(logs.atLevel(OLVAR_LOG_ERROR).size(), 1u);
    EXPECT_EQ(olvar::PendingWork::pending(), 0);
    olvar::PendingWork::begin();
    EXPECT_EQ(olvar::PendingWork::pending(), 1);
    olvar::PendingWork::end();
    EXPECT_TRUE(olvar::PendingWork::waitIdle(std::chrono::milliseconds(0)));
}

}  // namespace
}  // namespace olvar::test
