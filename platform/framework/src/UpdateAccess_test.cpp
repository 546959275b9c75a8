#include <gtest/gtest.h>

#include <thread>

#include "OlvarUnified/UnifiedBusinessObjectImpl.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "OlvarUnified/UpdateAccess.h"

using namespace OlvarUnified;

namespace olvar::test {
namespace {

class Thing : public UnifiedBusinessObjectImpl {
public:
    using UnifiedBusinessObjectImpl::UnifiedBusinessObjectImpl;
    std::string getInterfaceName() override { return "Thing"; }
    bool touch() { return EnsureUpdateAccess(true); }
    using UnifiedBusinessObjectImpl::storedObserverCount;
};

bool onDispatcher(UnifiedFactory& factory, const std::function<bool()>& fn) {
    bool result = false;
    factory.getServicesDispatcher()->enqueueBlock(std::make_shared<FunctionTask>([&] { result = fn(); }, "probe"));
    return result;
}

TEST(UpdateAccess, CreatorOwnsUntilCommitThenOnlyTheDispatcher) {
    auto factory = std::make_shared<UnifiedFactory>();
    UpdateAccess::resetViolationCount();
    auto thing = std::make_shared<Thing>(factory, "Thing");

    EXPECT_TRUE(thing->touch());                                      // creator, uncommitted
    EXPECT_TRUE(onDispatcher(*factory, [&] { return thing->touch(); }));  // dispatcher always
    bool otherThread = true;
    std::thread([&] { otherThread = thing->touch(); }).join();
    EXPECT_FALSE(otherThread);
    EXPECT_EQ(UpdateAccess::violationCount(), 1u);

    thing->commitToServicesDispatcher();
    EXPECT_FALSE(thing->touch());  // the creator lost access at commit
    EXPECT_TRUE(onDispatcher(*factory, [&] { return thing->touch(); }));
    EXPECT_EQ(UpdateAccess::violationCount(), 2u);
    UpdateAccess::resetViolationCount();
}

TEST(UpdateAccess, ObserversArePurgedWhenExpiredAndCalledOutsideTheLock) {
    struct Observer : UnifiedBusinessObjectObserver {
        void OnInfoChanged() override {
            ++calls;
            if (onCall) onCall();
        }
        void OnGuidChanged() override {}
        std::string getInterfaceName() override { return "Observer"; }
        int calls = 0;
        std::function<void()> onCall;
    };
    auto thing = std::make_shared<Thing>(nullptr, "Thing");
    auto kept = std::make_shared<Observer>();
    auto expired = std::make_shared<Observer>();
    thing->addObserver(kept);
    thing->addObserver(expired);
    expired.reset();
    // An observer adding another observer while being notified must not deadlock.
    auto late = std::make_shared<Observer>();
    kept->onCall = [&] { thing->addObserver(late); };
    thing->deliverInfoChanged();
    EXPECT_EQ(kept->calls, 1);
    EXPECT_EQ(late->calls, 0);
    kept->onCall = nullptr;
    thing->deliverInfoChanged();
    EXPECT_EQ(kept->calls, 2);
    EXPECT_EQ(late->calls, 1);
    EXPECT_NE(thing->getGuid(), std::make_shared<Thing>(nullptr, "Thing")->getGuid());
}

TEST(UpdateAccess, PurgingExpiredObserversKeepsTheOthersInRegistrationOrder) {
    struct Observer : UnifiedBusinessObjectObserver {
        Observer(std::vector<int>& order, int id) : order(order), id(id) {}
        void OnInfoChanged() override { order.push_back(id); }
        void OnGuidChanged() override {}
        std::string getInterfaceName() override { return "Observer"; }
        std::vector<int>& order;
        int id;
    };
    std::vector<int> order;
    auto thing = std::make_shared<Thing>(nullptr, "Thing");
    std::vector<std::shared_ptr<Observer>> observers;
    for (int id = 1; id <= 5; ++id) {
        observers.push_back(std::make_shared<Observer>(order, id));
        thing->addObserver(observers.back());
    }
    observers[0].reset();
    observers[2].reset();
    thing->deliverInfoChanged();
    EXPECT_EQ(order, (std::vector<int>{2, 4, 5}));
    EXPECT_EQ(thing->storedObserverCount(), 3u);

    auto late = std::make_shared<Observer>(order, 6);
    thing->addObserver(late);
    observers[1].reset();
    order.clear();
    thing->deliverInfoChanged();
    EXPECT_EQ(order, (std::vector<int>{4, 5, 6}));
}

}  // namespace
}  // namespace olvar::test
