#include "objects/mediaDeviceService/generated/MediaDeviceServiceBaseImpl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModuleTestNames.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "OlvarUnified/UpdateAccess.h"
#include "RecordingObservers.h"
#include "StubMediaDeviceService.h"
#include "objects/mediaDevice/MediaDeviceImpl.h"

namespace olvar::test {
namespace {

using Strings = std::vector<std::string>;

DeviceList listOf(std::vector<std::shared_ptr<MediaDevice>> devices) {
    return std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>(std::move(devices));
}

class MediaDeviceServiceBase : public ::testing::Test {
protected:
    void SetUp() override { violationsBefore = UpdateAccess::violationCount(); }
    void TearDown() override { EXPECT_EQ(UpdateAccess::violationCount(), violationsBefore); }

    std::shared_ptr<RecordingMediaDeviceServiceObserver> observe() {
        auto observer = std::make_shared<RecordingMediaDeviceServiceObserver>();
        service->addObserver(std::weak_ptr<MediaDeviceServiceObserver>(observer));
        return observer;
    }

    std::shared_ptr<UnifiedFactory> factory = std::make_shared<UnifiedFactory>();
    std::shared_ptr<StubMediaDeviceService> service = std::make_shared<StubMediaDeviceService>(factory);
    std::uint64_t violationsBefore = 0;
};

TEST_F(MediaDeviceServiceBase, NamesAndInitialState) {
    EXPECT_EQ(service->getInterfaceName(), "MediaDeviceService");
    EXPECT_EQ(service->getClassName(), "UnifiedServiceImpl");
    EXPECT_EQ(RecordingMediaDeviceServiceObserver().getInterfaceName(), "MediaDeviceServiceObserver");
    EXPECT_EQ(service->getPreferredOutputDevices(), nullptr);
    EXPECT_EQ(service->getCurrentSpeaker(), nullptr);
    EXPECT_FALSE(service->getIsRingerDeviceAvailable());
    EXPECT_FALSE(service->getBulkUpdateInProgress());
    EXPECT_EQ(service->getGuid(), service->UnifiedBusinessObjectImpl::getGuid());
}

TEST_F(MediaDeviceServiceBase, ListObserverGetsExactlyTheFiredLists) {
    auto observer = observe();
    auto added = listOf({std::make_shared<MediaDeviceImpl>(factory)});
    auto removed = listOf({});
    service->fireOnPreferredRingerDevicesChanged(added, removed);

    EXPECT_EQ(observer->log.calls, Strings{"PreferredRingerDevices"});
    ASSERT_EQ(observer->log.lists.size(), 1u);
    EXPECT_EQ(observer->log.lists[0].first, added);
    EXPECT_EQ(observer->log.lists[0].second, removed);
}

TEST_F(MediaDeviceServiceBase, ListNotifierGetsTheFiredListsAndResetsOnInfoChanged) {
    std::vector<std::tuple<bool, DeviceList, DeviceList>> deliveries;
    service->getMediaDeviceServiceNotifiers()->getPreferredCaptureDevicesNotifier()->connect(
        [&](bool reset, DeviceList first, DeviceList second) { deliveries.emplace_back(reset, first, second); });
    int availableCalls = 0;
    service->getMediaDeviceServiceNotifiers()->getIsVideoDeviceAvailableNotifier()->connect([&] { ++availableCalls; });

    auto added = listOf({});
    service->fireOnPreferredCaptureDevicesChanged(added, nullptr);
    service->fireOnPreferredOutputDevicesChanged(added, nullptr);  // another list: not connected
    service->deliverInfoChanged();

    ASSERT_EQ(deliveries.size(), 2u);
    EXPECT_EQ(deliveries[0], std::make_tuple(false, added, DeviceList()));
    EXPECT_EQ(deliveries[1], std::make_tuple(true, DeviceList(), DeviceList()));
    EXPECT_EQ(availableCalls, 1);
}

TEST_F(MediaDeviceServiceBase, SettersStoreAndOnlyFiresNotify) {
    auto observer = observe();
    auto speaker = std::make_shared<MediaDeviceImpl>(factory);
    auto list = listOf({speaker});
    int window = 0;
    service->setPreferredInputDevices(list);
    service->setCurrentSpeaker(speaker);
    service->setLocalVideoPreviewWindowAdded(&window);
    service->setSoundPlayFinished(12);
    service->setBulkUpdateInProgress(true);
    EXPECT_EQ(service->getPreferredInputDevices(), list) << "the stored vector itself, not a copy";
    EXPECT_EQ(service->getCurrentSpeaker(), speaker);
    EXPECT_EQ(service->getLocalVideoPreviewWindowAdded(), &window);
    EXPECT_EQ(service->getSoundPlayFinished(), 12);
    EXPECT_TRUE(service->getBulkUpdateInProgress());
    EXPECT_TRUE(observer->log.calls.empty());

    service->fireOnSoundPlayFinishedChanged();
    service->fireOnDeviceAddedChanged();
    service->fireOnBulkUpdateInProgressChanged();
    EXPECT_EQ(observer->log.calls, (Strings{"SoundPlayFinished", "DeviceAdded", "BulkUpdateInProgress"}));
}

TEST_F(MediaDeviceServiceBase, ExpiredObserverIsDroppedBeforeTheFire) {
    auto kept = observe();
    observe();  // expires at once
    auto bulkObserver = std::make_shared<RecordingMediaDeviceServiceObserver>();
    service->addObserver(std::weak_ptr<UnifiedServiceObserver>(bulkObserver));
    EXPECT_EQ(service->storedObserverCount(), 3u);

    service->fireOnBulkUpdateInProgressChanged();
    EXPECT_EQ(service->storedObserverCount(), 2u);
    service->fireOnCurrentVideoChanged();
    EXPECT_EQ(kept->log.calls, (Strings{"BulkUpdateInProgress", "CurrentVideo"}));
    EXPECT_EQ(bulkObserver->log.calls, (Strings{"BulkUpdateInProgress", "CurrentVideo"}));

    service->removeObserver(std::weak_ptr<UnifiedServiceObserver>(bulkObserver));
    service->fireOnDeviceRemovedChanged();
    EXPECT_EQ(bulkObserver->log.calls.size(), 2u);
    EXPECT_EQ(kept->log.calls.back(), "DeviceRemoved");
}

TEST_F(MediaDeviceServiceBase, BulkUpdateNotifierFiresFromItsChangeAndFromInfoChanged) {
    int calls = 0;
    service->getMediaDeviceServiceNotifiers()->getBulkUpdateInProgressNotifier()->connect([&] { ++calls; });
    service->fireOnBulkUpdateInProgressChanged();
    service->deliverInfoChanged();
    EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace olvar::test
