#include "OlvarUnified/StandInHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "OlvarUnified/HostService.h"
#include "OlvarUnified/ServicesDispatcher.h"
#include "OlvarUnified/Task.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "olvar/PendingWork.h"

using namespace OlvarUnified;

namespace olvar::test {
namespace {

TEST(StandInHost, RegistersWhatAModuleLooksUpAndUnregistersOnce) {
    auto factory = std::make_shared<UnifiedFactory>();
    StandInHost host(factory, std::make_shared<ConfigStore>());
    EXPECT_EQ(factory->getFeatureSet<ConfigFeatureSet>(), host.configFeatureSet);
    EXPECT_EQ(factory->getService<SystemService>(), host.systemService);
    EXPECT_EQ(factory->getFeatureSet(StandInHost::kTelephonyFeatureSetNumber), host.telephony);
    EXPECT_EQ(factory->getFeatureSet<TelephonyAccessoriesFeatureSet>(), host.accessories);
    EXPECT_EQ(ServiceFactory::getInstance()->getService(unifiedTypeName<ConfigService>()), host.configService);
    EXPECT_EQ(ServiceFactory::getInstance()->getService(unifiedTypeName<TelephonyService>()), host.telephonyService);

    host.unregister();
    host.unregister();
    EXPECT_FALSE(factory->getService<SystemService>());
    EXPECT_FALSE(ServiceFactory::getInstance()->getService(unifiedTypeName<ConfigService>()));
}

TEST(StandInHost, LeavesOutWhatTheOptionsExclude) {
    auto factory = std::make_shared<UnifiedFactory>();
    StandInHost host(factory, std::make_shared<ConfigStore>(), StandInHostOptions{false, false});
    EXPECT_FALSE(host.configFeatureSet);
    EXPECT_FALSE(factory->getFeatureSet<ConfigFeatureSet>());
    EXPECT_FALSE(factory->getFeatureSet<TelephonyMediaDeviceFeatureSet>());
    EXPECT_TRUE(factory->getService<SystemService>());
    host.unregister();
}

// Queues a chain of tasks, each queueing the next from the dispatcher thread, so that some are
// still to come when the caller goes on.
void queueChain(ServicesDispatcher& dispatcher, std::shared_ptr<std::vector<int>> ran, int left) {
    dispatcher.enqueue(std::make_shared<FunctionTask>(
        [&dispatcher, ran, left] {
            ran->push_back(left);
            if (left > 1) queueChain(dispatcher, ran, left - 1);
        },
        "chain"));
}

TEST(StandInHost, ShutdownRunsQueuedWorkInOrderThenRefusesMore) {
    auto factory = std::make_shared<UnifiedFactory>();
    auto dispatcher = factory->getServicesDispatcher();
    StandInHost host(factory, std::make_shared<ConfigStore>());
    auto ran = std::make_shared<std::vector<int>>();
    queueChain(*dispatcher, ran, 200);

    EXPECT_TRUE(host.shutdown());
    ASSERT_EQ(ran->size(), 200u);
    EXPECT_TRUE(std::is_sorted(ran->rbegin(), ran->rend()));
    EXPECT_FALSE(factory->getService<SystemService>());

    // Refused, not queued: neither call blocks, nothing runs, and the process stays idle.
    bool lateRan = false;
    dispatcher->enqueue(std::make_shared<FunctionTask>([&] { lateRan = true; }, "late"));
    dispatcher->enqueueBlock(std::make_shared<FunctionTask>([&] { lateRan = true; }, "late-blocking"));
    EXPECT_FALSE(lateRan);
    EXPECT_TRUE(StandInHost::drain(std::chrono::milliseconds(0)));
}

TEST(StandInHost, ShutdownIsIdempotentAndTheDestructorShutsDown) {
    auto factory = std::make_shared<UnifiedFactory>();
    auto dispatcher = factory->getServicesDispatcher();
    {
        StandInHost host(factory, std::make_shared<ConfigStore>());
        host.unregister();  // an early unregister still leaves the dispatcher to stop
        EXPECT_TRUE(host.shutdown());
        EXPECT_TRUE(host.shutdown());
    }
    {
        auto second = std::make_shared<UnifiedFactory>();
        auto secondDispatcher = second->getServicesDispatcher();
        { StandInHost host(second, std::make_shared<ConfigStore>()); }
        EXPECT_FALSE(ServiceFactory::getInstance()->getService(unifiedTypeName<ConfigService>()));
        bool ran = false;
        secondDispatcher->enqueueBlock(std::make_shared<FunctionTask>([&] { ran = true; }, "after-destructor"));
        EXPECT_FALSE(ran);
    }
}

TEST(StandInHost, ShutdownGivesUpWaitingAfterTheTimeoutAndStillStops) {
    auto factory = std::make_shared<UnifiedFactory>();
    StandInHost host(factory, std::make_shared<ConfigStore>());
    olvar::PendingWorkScope neverFinishing;  // work some other thread never completes

    EXPECT_FALSE(host.shutdown(std::chrono::milliseconds(20)));
    EXPECT_FALSE(factory->getService<SystemService>());
    bool ran = false;
    factory->getServicesDispatcher()->enqueueBlock(std::make_shared<FunctionTask>([&] { ran = true; }, "late"));
    EXPECT_FALSE(ran);
    EXPECT_TRUE(host.shutdown(std::chrono::milliseconds(20)));  // already down: no second wait
}

}  // namespace
}  // namespace olvar::test
