#include "objects/mediaDevice/MediaDeviceImpl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModuleTestNames.h"
#include "OlvarUnified/Task.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "OlvarUnified/UpdateAccess.h"
#include "RecordingObservers.h"
#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "objects/mediaDevice/generated/MediaDeviceNotifiersImpl.h"
#include "olvar/LogCapture.h"

namespace olvar::test {
namespace {

using Strings = std::vector<std::string>;

// Exposes what the host base keeps to itself.
class InspectableMediaDevice : public MediaDeviceImpl {
public:
    using MediaDeviceImpl::MediaDeviceImpl;
    bool hasNotifierSet() const { return getNotifiers() != nullptr; }
    using UnifiedBusinessObjectImpl::storedObserverCount;
};

class MediaDeviceObjects : public ::testing::Test {
protected:
    void SetUp() override { violationsBefore = UpdateAccess::violationCount(); }
    void TearDown() override { EXPECT_EQ(UpdateAccess::violationCount(), violationsBefore); }

    std::shared_ptr<RecordingMediaDeviceObserver> observe(MediaDevice& device) {
        auto observer = std::make_shared<RecordingMediaDeviceObserver>();
        device.addObserver(std::weak_ptr<MediaDeviceObserver>(observer));
        return observer;
    }

    std::shared_ptr<UnifiedFactory> factory = std::make_shared<UnifiedFactory>();
    std::shared_ptr<InspectableMediaDevice> device = std::make_shared<InspectableMediaDevice>(factory);
    std::uint64_t violationsBefore = 0;
};

TEST_F(MediaDeviceObjects, FireReachesTheNotifierSetOnlyOnceItExists) {
    auto observer = observe(*device);
    device->fireOnNameChanged();
    EXPECT_FALSE(device->hasNotifierSet()) << "a fire must not build the notifier set";
    EXPECT_EQ(observer->log.calls, Strings{"Name"});

    auto notifiers = device->getMediaDeviceNotifiers();
    ASSERT_NE(notifiers, nullptr);
    int nameCalls = 0;
    int vendorCalls = 0;
    notifiers->getNameNotifier()->connect([&] { ++nameCalls; });
    notifiers->getVendorNotifier()->connect([&] { ++vendorCalls; });
    device->fireOnNameChanged();
    EXPECT_EQ(nameCalls, 1);
    EXPECT_EQ(vendorCalls, 0);
    EXPECT_EQ(device->getMediaDeviceNotifiers(), notifiers) << "the set is built once";
    EXPECT_EQ(device->storedObserverCount(), 2u);
}

TEST_F(MediaDeviceObjects, NotifierIsCreatedOnceAndInfoChangedFiresOnlyCreatedOnes) {
    auto notifiers = device->getMediaDeviceNotifiers();
    EXPECT_EQ(notifiers->getIsSelectedNotifier(), notifiers->getIsSelectedNotifier());
    EXPECT_NE(notifiers->getIsSelectedNotifier(), notifiers->getIsPluggedInNotifier());

    Strings fired;
    notifiers->getTypeNotifier()->connect([&] { fired.push_back("Type"); });
    notifiers->getIsPluggedInNotifier()->connect([&] { fired.push_back("IsPluggedIn"); });
    device->deliverInfoChanged();
    EXPECT_EQ(fired, (Strings{"IsPluggedIn", "Type"})) << "table order, whatever the order of requests";
}

TEST_F(MediaDeviceObjects, ObserverCallsBeforeAnyRequestCreateNothing) {
    auto notifiers = std::make_shared<MediaDeviceNotifiersImpl>();
    notifiers->OnInfoChanged();
    notifiers->OnVendorChanged();
    notifiers->OnGuidChanged();
    int calls = 0;
    notifiers->getVendorNotifier()->connect([&] { ++calls; });
    notifiers->getGuidNotifier()->connect([&] { ++calls; });
    EXPECT_EQ(calls, 0) << "nothing is replayed to later subscribers";
    notifiers->OnGuidChanged();
    EXPECT_EQ(calls, 1);
}

TEST_F(MediaDeviceObjects, SettersStoreWithoutNotifying) {
    auto observer = observe(*device);
    int notifierCalls = 0;
    device->getMediaDeviceNotifiers()->getDeviceVolumeNotifier()->connect([&] { ++notifierCalls; });

    device->setDeviceVolume(40);
    device->setDeviceVolume(40);
    device->setName(L"Headset");
    device->setType(MediaDeviceTypeEnum::MICROPHONE);
    EXPECT_EQ(device->getDeviceVolume(), 40);
    EXPECT_EQ(device->getName(), L"Headset");
    EXPECT_EQ(device->getType(), MediaDeviceTypeEnum::MICROPHONE);
    EXPECT_TRUE(observer->log.calls.empty());
    EXPECT_EQ(notifierCalls, 0);
}

TEST_F(MediaDeviceObjects, ExpiredObserverIsPurgedAndNotCalled) {
    auto kept = observe(*device);
    {
        auto dropped = observe(*device);
    }
    auto last = observe(*device);
    EXPECT_EQ(device->storedObserverCount(), 3u);
    device->fireOnIsSelectedChanged();
    EXPECT_EQ(device->storedObserverCount(), 2u);
    EXPECT_EQ(kept->log.calls, Strings{"IsSelected"});
    EXPECT_EQ(last->log.calls, Strings{"IsSelected"});

    device->removeObserver(std::weak_ptr<MediaDeviceObserver>(kept));
    device->fireOnIsSelectedChanged();
    EXPECT_EQ(kept->log.calls.size(), 1u);
    EXPECT_EQ(last->log.calls.size(), 2u);
}

TEST_F(MediaDeviceObjects, ObserverMayRemoveItselfWhileBeingNotified) {
    class SelfRemoving : public RecordingMediaDeviceObserver {
    public:
        MediaDevice* device = nullptr;
        std::weak_ptr<MediaDeviceObserver> self;
        void OnNameChanged() override {
            RecordingMediaDeviceObserver::OnNameChanged();
            device->removeObserver(self);
        }
    };
    auto observer = std::make_shared<SelfRemoving>();
    observer->device = device.get();
    observer->self = observer;
    device->addObserver(observer->self);
    device->fireOnNameChanged();
    device->fireOnNameChanged();
    EXPECT_EQ(observer->log.calls, Strings{"Name"});
}

TEST_F(MediaDeviceObjects, InterfaceNamesAndIdentityOfTheServicesOwnDevice) {
    EXPECT_EQ(device->getInterfaceName(), "MediaDevice");
    EXPECT_EQ(RecordingMediaDeviceObserver().getInterfaceName(), "MediaDeviceObserver");
    EXPECT_EQ(device->getUniqueIdentifier(), -1);
    EXPECT_FALSE(device->isCommitted());
}

TEST_F(MediaDeviceObjects, TextOfAnEmptyDevice) {
    EXPECT_EQ(device->toWString(),
              L"\nName: \nHardwareId: \nSelectionId: \nisPluggedIn: false\nisSelected: false\nvolume: 0"
              L"\nFriendlyName: \nDeviceInterface: \nInstanceId: \nuniqueIdentifier: -1\nvendor: ");
}

// Runs fn on the services dispatcher, where committed objects may be used.
void onDispatcher(const std::shared_ptr<UnifiedFactory>& factory, std::function<void()> fn) {
    factory->getServicesDispatcher()->enqueueBlock(std::make_shared<FunctionTask>(std::move(fn), "MediaDeviceObjects"));
}

PreferredMediaDeviceImpl sampleRecord() {
    PreferredMediaDeviceImpl record("Speakers \xC3\xA9", "USB\\VID_1", "sel-1", MediaDeviceTypeEnum::RINGER, 55,
                                    "iface", "Friendly", "inst-9", "Maker");
    record.isPlugged = true;
    record.isPeakInitialised = true;
    record.uniqueIdentifier = 7;
    return record;
}

TEST_F(MediaDeviceObjects, DeviceFromARecordIsACommittedSnapshot) {
    auto published = std::make_shared<MediaDeviceImpl>(factory, sampleRecord());
    EXPECT_TRUE(published->isCommitted());
    onDispatcher(factory, [&] {
        EXPECT_EQ(published->getUniqueIdentifier(), 7);
        EXPECT_EQ(published->getType(), MediaDeviceTypeEnum::RINGER);
        EXPECT_TRUE(published->getIsPeakInitialised());
        EXPECT_EQ(published->toWString(),
                  L"\nName: Speakers \u00e9\nHardwareId: USB\\VID_1\nSelectionId: sel-1\nisPluggedIn: true"
                  L"\nisSelected: false\nvolume: 55\nFriendlyName: Friendly\nDeviceInterface: iface"
                  L"\nInstanceId: inst-9\nuniqueIdentifier: 7\nvendor: Maker");
        EXPECT_EQ(published->toString(),
                  "\nName: Speakers \xC3\xA9\nHardwareId: USB\\VID_1\nSelectionId: sel-1\nisPluggedIn: true"
                  "\nisSelected: false\nvolume: 55\nFriendlyName: Friendly\nDeviceInterface: iface"
                  "\nInstanceId: inst-9\nuniqueIdentifier: 7\nvendor: Maker");
    });
}

TEST_F(MediaDeviceObjects, UseOffTheDispatcherAfterCommitIsReported) {
    auto published = std::make_shared<MediaDeviceImpl>(factory, sampleRecord());
    std::vector<olvar::log::Record> errors;
    {
        olvar::log::LogCapture logs;
        published->getName();
        errors = logs.atLevel(OLVAR_LOG_ERROR);
    }

    EXPECT_EQ(UpdateAccess::violationCount(), violationsBefore + 1);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].message.find("getName"), std::string::npos) << errors[0].message;
    violationsBefore = UpdateAccess::violationCount();  // the one violation was this test's point
}

}  // namespace
}  // namespace olvar::test
