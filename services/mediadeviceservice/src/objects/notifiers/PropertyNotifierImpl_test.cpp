#include "objects/notifiers/PropertyNotifierImpl.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ModuleTestNames.h"
#include "objects/mediaDevice/MediaDevice.h"
#include "objects/notifiers/PropertyListNotifierImpl.h"

namespace olvar::test {
namespace {

using Handle = std::weak_ptr<PropertyNotifierConnection>;

class PropertyNotifier : public ::testing::Test {
protected:
    Handle connectRecording(const std::string& name) {
        return notifier->connect([this, name] { calls.push_back(name); });
    }

    std::shared_ptr<PropertyNotifierImpl> notifier = std::make_shared<PropertyNotifierImpl>();
    std::vector<std::string> calls;
};

TEST_F(PropertyNotifier, FiresConnectedCallbacksInConnectOrderAndTracksEmptiness) {
    EXPECT_TRUE(notifier->isEmpty());
    notifier->fire();  // nothing connected: nothing happens
    Handle a = connectRecording("a");
    Handle b = connectRecording("b");
    EXPECT_FALSE(notifier->isEmpty());
    EXPECT_TRUE(a.lock()->connected());

    notifier->fire();
    notifier->fire();
    EXPECT_EQ(calls, (std::vector<std::string>{"a", "b", "a", "b"}));

    a.lock()->disconnect();
    b.lock()->disconnect();
    EXPECT_TRUE(notifier->isEmpty());
    EXPECT_TRUE(a.expired()) << "the list held the only strong reference";
}

TEST_F(PropertyNotifier, DisconnectTwiceIsHarmless) {
    Handle a = connectRecording("a");
    auto connection = a.lock();
    connection->disconnect();
    EXPECT_FALSE(connection->connected());
    connection->disconnect();
    EXPECT_FALSE(connection->connected());
    notifier->fire();
    EXPECT_TRUE(calls.empty());
}

TEST_F(PropertyNotifier, CallbackDisconnectingItselfRunsOnceAndStaysAliveMeanwhile) {
    Handle self;
    bool aliveDuringCall = false;
    self = notifier->connect([&] {
        calls.push_back("self");
        self.lock()->disconnect();
        aliveDuringCall = !self.expired();  // the running fire still holds it
    });
    connectRecording("after");

    notifier->fire();
    notifier->fire();
    EXPECT_EQ(calls, (std::vector<std::string>{"self", "after", "after"}));
    EXPECT_TRUE(aliveDuringCall);
    EXPECT_TRUE(self.expired());
}

TEST_F(PropertyNotifier, DisconnectingALaterConnectionSkipsItInTheSameFire) {
    Handle later;
    notifier->connect([&] {
        calls.push_back("first");
        if (auto connection = later.lock()) connection->disconnect();
    });
    later = connectRecording("later");
    connectRecording("last");

    notifier->fire();
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "last"}));
}

TEST_F(PropertyNotifier, ConnectionMadeDuringAFireWaitsForTheNextFire) {
    notifier->connect([&] {
        calls.push_back("connector");
        connectRecording("added");
    });
    notifier->fire();
    EXPECT_EQ(calls, (std::vector<std::string>{"connector"}));
    calls.clear();
    notifier->fire();  // connects a second "added", which this fire does not reach either
    EXPECT_EQ(calls, (std::vector<std::string>{"connector", "added"}));
}

TEST_F(PropertyNotifier, NestedFireCallsEveryoneAgainInside) {
    int depth = 0;
    notifier->connect([&] {
        calls.push_back("outer" + std::to_string(depth));
        if (depth++ == 0) notifier->fire();
    });
    connectRecording("second");
    notifier->fire();
    EXPECT_EQ(calls, (std::vector<std::string>{"outer0", "outer1", "second", "second"}));
}

TEST_F(PropertyNotifier, ThrowingCallbackStopsTheFireAndReleasesTheSnapshot) {
    Handle thrower = notifier->connect([] { throw std::runtime_error("callback failed"); });
    connectRecording("never");
    EXPECT_THROW(notifier->fire(), std::runtime_error);
    EXPECT_TRUE(calls.empty());

    thrower.lock()->disconnect();
    EXPECT_TRUE(thrower.expired()) << "no snapshot may survive the exception";
    notifier->fire();
    EXPECT_EQ(calls, (std::vector<std::string>{"never"}));
}

TEST_F(PropertyNotifier, EmptyCallbackIsAProgrammingError) {
    notifier->connect(std::function<void()>());
    EXPECT_THROW(notifier->fire(), std::bad_function_call);
}

TEST_F(PropertyNotifier, CallbackMayDestroyTheNotifier) {
    notifier->connect([&] { notifier.reset(); });
    connectRecording("still called");  // captured this, not the notifier
    notifier->fire();
    EXPECT_EQ(calls, (std::vector<std::string>{"still called"}));
}

TEST_F(PropertyNotifier, CopiesShareTheConnections) {
    PropertyNotifierImpl copy(*notifier);
    connectRecording("a");
    copy.fire();
    PropertyNotifierImpl assigned;
    assigned = copy;
    assigned.fire();
    EXPECT_EQ(calls, (std::vector<std::string>{"a", "a"}));
}

TEST_F(PropertyNotifier, EachFireCallsAFreshCopyOfTheStoredCallback) {
    std::vector<int> seen;
    Handle handle = notifier->connect([&seen, count = 0]() mutable { seen.push_back(++count); });
    notifier->fire();
    notifier->fire();
    notifier->fire();
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 1}));

    auto connection = std::static_pointer_cast<PropertyNotifierImpl::Connection>(handle.lock());
    connection->getFxn()();
    EXPECT_EQ(seen.back(), 1) << "the stored callback kept its state";
}

TEST_F(PropertyNotifier, ConnectionOutlivingItsNotifierCannotReconnect) {
    Handle a = connectRecording("a");
    auto connection = std::static_pointer_cast<PropertyNotifierImpl::Connection>(a.lock());
    notifier.reset();
    connection->disconnect();  // the list is gone: only the flag changes
    EXPECT_FALSE(connection->connected());
    connection->connect();
    EXPECT_FALSE(connection->connected());
}

class PropertyListNotifier : public ::testing::Test {
protected:
    struct Delivery {
        bool reset;
        DeviceList first;
        DeviceList second;
    };

    Handle connectRecording(std::vector<Delivery>& into) {
        return notifier->connect([&into](bool reset, DeviceList first, DeviceList second) {
            into.push_back({reset, std::move(first), std::move(second)});
        });
    }

    std::shared_ptr<PropertyListNotifierImpl<MediaDevice>> notifier =
        std::make_shared<PropertyListNotifierImpl<MediaDevice>>();
};

TEST_F(PropertyListNotifier, FireDeliversTheSameListsToEverySubscriber) {
    std::vector<Delivery> one, two;
    connectRecording(one);
    connectRecording(two);
    auto added = std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>();
    auto removed = std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>();

    notifier->fire(added, removed);
    for (auto* deliveries : {&one, &two}) {
        ASSERT_EQ(deliveries->size(), 1u);
        EXPECT_FALSE(deliveries->front().reset);
        EXPECT_EQ(deliveries->front().first, added);
        EXPECT_EQ(deliveries->front().second, removed);
    }
}

TEST_F(PropertyListNotifier, FireResetDeliversTheFlagAndNoLists) {
    std::vector<Delivery> deliveries;
    Handle handle = connectRecording(deliveries);
    notifier->fireReset();
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_TRUE(deliveries[0].reset);
    EXPECT_EQ(deliveries[0].first, nullptr);
    EXPECT_EQ(deliveries[0].second, nullptr);

    handle.lock()->disconnect();
    EXPECT_TRUE(notifier->isEmpty());
    notifier->fireReset();
    EXPECT_EQ(deliveries.size(), 1u);
}

TEST_F(PropertyListNotifier, EachFireCallsAFreshCopyOfTheStoredCallback) {
    // A functor large enough to live on the heap inside std::function.
    struct Counter {
        std::vector<int>* seen;
        int count = 0;
        char padding[64] = {};
        void operator()(bool, DeviceList, DeviceList) { seen->push_back(++count); }
    };
    std::vector<int> seen;
    notifier->connect(Counter{&seen});
    notifier->fireReset();
    notifier->fire(nullptr, nullptr);
    notifier->fireReset();
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 1}));
}

TEST_F(PropertyListNotifier, SelfDisconnectDuringFireKeepsTheOthers) {
    std::vector<Delivery> others;
    Handle self;
    int selfCalls = 0;
    self = notifier->connect([&](bool, DeviceList, DeviceList) {
        ++selfCalls;
        self.lock()->disconnect();
    });
    connectRecording(others);
    notifier->fireReset();
    notifier->fireReset();
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(others.size(), 2u);
}

}  // namespace
}  // namespace olvar::test
