#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "OlvarUnified/ServicesDispatcher.h"
#include "OlvarUnified/TaskDispatcher.h"
#include "olvar/PendingWork.h"

using namespace OlvarUnified;

namespace olvar::test {
namespace {

std::shared_ptr<Task> task(std::function<void()> fn, std::string name = "test task") {
    return std::make_shared<FunctionTask>(std::move(fn), std::move(name));
}

TEST(ServicesDispatcher, RunsTasksInPostingOrderOnItsOwnThread) {
    ServicesDispatcher dispatcher;
    std::vector<int> order;
    std::atomic<bool> allOnDispatcher{true};
    for (int i = 0; i < 100; ++i)
        dispatcher.enqueue(task([&, i] {
            order.push_back(i);
            if (!dispatcher.checkForUpdateAccess()) allOnDispatcher = false;
        }));
    dispatcher.drain();
    ASSERT_EQ(order.size(), 100u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(order[i], i);
    EXPECT_TRUE(allOnDispatcher);
    EXPECT_FALSE(dispatcher.checkForUpdateAccess());
}

TEST(ServicesDispatcher, EnqueueBlockWaitsAndRunsInlineFromItsOwnThread) {
    ServicesDispatcher dispatcher;
    int value = 0;
    dispatcher.enqueueBlock(task([&] { value = 1; }));
    EXPECT_EQ(value, 1);  // returned only after the task ran

    // From the dispatcher thread a blocking enqueue must not wait for itself.
    bool innerRan = false;
    dispatcher.enqueueBlock(task([&] {
        dispatcher.enqueueBlock(task([&] { innerRan = true; }));
        EXPECT_TRUE(innerRan);
    }));
    EXPECT_TRUE(innerRan);
}

TEST(ServicesDispatcher, ThrowingTaskDoesNotStopTheQueue) {
    ServicesDispatcher dispatcher;
    bool after = false;
    dispatcher.enqueue(task([] { throw std::runtime_error("boom"); }));
    dispatcher.enqueue(task([&] { after = true; }));
    dispatcher.drain();
    EXPECT_TRUE(after);
}

TEST(ServicesDispatcher, DestructionRunsWhatIsQueued) {
    std::atomic<int> ran{0};
    {
        ServicesDispatcher dispatcher;
        for (int i = 0; i < 50; ++i) dispatcher.enqueue(task([&] { ++ran; }));
    }
    EXPECT_EQ(ran.load(), 50);
}

TEST(TaskDispatcher, DrainAllWaitsForChainsAcrossQueues) {
    ServicesDispatcher services;
    Processing::TaskDispatcher worker("Test-Worker", 1, 100);
    std::atomic<int> hops{0};
    // worker -> services -> worker -> services: a drain must see the whole chain.
    std::function<void(int)> bounce = [&](int left) {
        ++hops;
        if (left == 0) return;
        if (left % 2) services.enqueue(task([&, left] { bounce(left - 1); }));
        else worker.enqueue(task([&, left] { bounce(left - 1); }));
    };
    worker.enqueue(task([&] { bounce(20); }));
    ASSERT_TRUE(PendingWork::waitIdle(std::chrono::seconds(30)));
    EXPECT_EQ(hops.load(), 21);
}

TEST(TaskDispatcher, ConcurrentProducersLoseNothingAndKeepPerProducerOrder) {
    Processing::TaskDispatcher worker("Test-Worker", 1, 100);
    EXPECT_EQ(worker.getName(), "Test-Worker");
    constexpr int producers = 4, perProducer = 500;
    std::vector<std::vector<int>> seen(producers);
    std::vector<std::thread> threads;
    for (int p = 0; p < producers; ++p)
        threads.emplace_back([&, p] {
            for (int i = 0; i < perProducer; ++i) worker.enqueue(task([&, p, i] {
                EXPECT_TRUE(worker.isDispatcherThread());
                seen[p].push_back(i);
            }));
        });
    for (auto& t : threads) t.join();
    worker.drain();
    for (int p = 0; p < producers; ++p) {
        ASSERT_EQ(seen[p].size(), static_cast<size_t>(perProducer));
        for (int i = 0; i < perProducer; ++i) EXPECT_EQ(seen[p][i], i);
    }
}

TEST(TaskDispatcher, ReleasedFromInsideItsOwnTaskFinishesCleanly) {
    auto worker = std::make_shared<Processing::TaskDispatcher>("Self-Release", 1, 100);
    std::atomic<bool> ran{false};
    auto raw = worker.get();
    raw->enqueue(task([&ran, held = worker]() mutable {
        ran = true;
        held.reset();
    }));
    worker.reset();  // the task now holds the last reference
    ASSERT_TRUE(PendingWork::waitIdle(std::chrono::seconds(30)));
    EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace olvar::test
