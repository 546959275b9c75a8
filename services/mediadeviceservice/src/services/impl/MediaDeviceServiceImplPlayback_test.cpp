// Wave playback requests and the play-on-all-ringers mode with its configuration.
#include "MediaDeviceServiceImplTestSupport.h"
#include "ModuleTestFixture.h"
#include "velk/Scenario.h"

using namespace OlvarUnified::MediaDeviceTypeEnum;

namespace olvar::test {
namespace {

class ServicePlayback : public DirectServiceFixture {
protected:
    void SetUp() override {
        DirectServiceFixture::SetUp();
        withFeatureSet();
        createService();
    }
    std::wstring config(const wchar_t* key) {
        std::wstring value = L"<absent>";
        store->get(key, value);
        return value;
    }
    // Ringers the feature set reports as present; call on the dispatcher.
    void plugRingers(const Strings& names) {
        auto ringers = listOf({});
        for (const auto& name : names) ringers->push_back(device({name, "", RINGER}));
        features->plugged[RINGER] = ringers;
    }
};

TEST_F(ServicePlayback, PlayOverloadsPassTheirArgumentsAndReturnTheSessionId) {
    features->failingDevices = {"gone"};
    run([&] {
        EXPECT_EQ(service->playWaveFile("ring.wav", "spk", 40, true), 100);
        EXPECT_EQ(service->playWaveFile("ring.wav", "spk", 40), 101);
        EXPECT_EQ(service->playWaveFile("ring.wav", "spk"), 102);
        EXPECT_EQ(service->playWaveFile("ring.wav", "gone"), -1);
    });
    EXPECT_EQ(features->calls, (Strings{"playWaveFile ring.wav spk 40 loop", "playWaveFile ring.wav spk 40 once",
                                        "playWaveFile ring.wav spk 100 once", "playWaveFile ring.wav gone 100 once"}));
}

TEST_F(ServicePlayback, PlayingOnAllRingersAppendsOneSessionPerStartedRinger) {
    features->failingDevices = {"r2"};
    auto ids = sessions({5});
    run([&] {
        plugRingers({"r1", "r2", "r3"});
        service->PlayWaveFileOnAllRingerDevices("alert.wav", 60, ids, true);
        service->PlayWaveFileOnAllRingerDevices("alert.wav", 20, nullptr, false);
    });
    EXPECT_EQ(*ids, (std::vector<long>{5, 100, 101})) << "the failed ringer is left out";
    EXPECT_EQ(features->calls, (Strings{"playWaveFile alert.wav r1 60 loop", "playWaveFile alert.wav r2 60 loop",
                                        "playWaveFile alert.wav r3 60 loop", "playWaveFile alert.wav r1 20 once",
                                        "playWaveFile alert.wav r2 20 once", "playWaveFile alert.wav r3 20 once"}));
}

TEST_F(ServicePlayback, SessionListsAreStoppedAndReleveledInOrderAndKept) {
    auto ids = sessions({3, 1, 2});
    run([&] {
        service->StopWaveFileListPlayout(ids);
        service->StopWaveFileListPlayout(nullptr);
        service->setVolumeForPlayingSessions(30, nullptr);
        service->setVolumeForPlayingSessions(30, ids);
    });
    EXPECT_EQ(*ids, (std::vector<long>{3, 1, 2}));
    EXPECT_EQ(features->calls, (Strings{"stopWaveFilePlayout 3", "stopWaveFilePlayout 1", "stopWaveFilePlayout 2",
                                        "setVolumeForPlayingSessions 30 3"}));
}

TEST_F(ServicePlayback, RemainingRequestsForwardTheirArguments) {
    run([&] {
        service->stopWaveFilePlayout(9);
        service->stopAllWaveFilePlayout();
        EXPECT_TRUE(service->isAudioFileSupported("a.wav"));
        EXPECT_EQ(service->continueSoundOnNewDevice(4, "spk", 1), 7);
        service->SetUseRinger(true);
        EXPECT_EQ(service->playWaveFileOnCurrentDevice("tone.wav"), -1) << "no current ringer: nothing played";
    });
    EXPECT_EQ(features->calls, (Strings{"stopWaveFilePlayout 9", "stopAllWaveFilePlayout", "isAudioFileSupported a.wav",
                                        "continueSoundOnNewDevice 4 spk 1", "setUseRinger on"}));
}

TEST_F(ServicePlayback, AllRingersModeIsStoredAndNeedsAnAvailableRinger) {
    run([&] {
        auto all = service->getPlayRingerOnAllDevices();
        auto onAll = observeDevice(all);
        auto chosen = device({"r1", "HW-R1", RINGER, true, true});
        push(RINGER, {chosen});
        EXPECT_EQ(service->getCurrentRingerDevice(), chosen);
        EXPECT_FALSE(service->isPlayRingerOnAllDevices());

        service->setPlayRingerOnAllDevices();
        EXPECT_EQ(config(L"PlayRingerOnAllDevices"), L"TRUE");
        EXPECT_TRUE(service->isPlayRingerOnAllDevices());
        EXPECT_EQ(service->getCurrentRingerDevice(), nullptr) << "no ringer available, whatever the list says";

        plugRingers({"r1"});
        auto onService = observeService(service);
        service->setPlayRingerOnAllDevices();
        EXPECT_EQ(service->getCurrentRingerDevice(), all);
        EXPECT_EQ(service->getCurrentRinger()->getSelectionId(), L"PlayRingerOnAllDevices");
        EXPECT_EQ(onService->log.calls, Strings{"CurrentRinger"});
        EXPECT_EQ(onAll->log.calls, Strings{"IsSelected"}) << "selected once";
        EXPECT_TRUE(all->getIsSelected());

        EXPECT_EQ(service->playWaveFileOnCurrentDevice("tone.wav"), 100) << "the started session's id";
        EXPECT_EQ(features->calls.back(), "playWaveFile tone.wav PlayRingerOnAllDevices 100 once");
    });
}

TEST_F(ServicePlayback, ChoosingARingerSwitchesTheModeAndWritesOnlyChanges) {
    store->set(L"PlayRingerOnAllDevices", L"true");
    run([&] {
        auto all = service->getPlayRingerOnAllDevices();
        auto onAll = observeDevice(all);
        auto r1 = device({"r1", "", RINGER, true, true}), r2 = device({"r2", "", RINGER});
        push(RINGER, {r1, r2});
        service->setCurrentMediaDevice(RINGER, all);
        EXPECT_EQ(config(L"PlayRingerOnAllDevices"), L"true") << "already on: nothing written";

        service->setDeviceSelected(RINGER, r2);
        EXPECT_FALSE(r2->getIsSelected()) << "not marked while all ringers play";
        EXPECT_FALSE(r1->getIsSelected()) << "the others are still cleared";

        service->setCurrentMediaDevice(RINGER, r2);
        EXPECT_EQ(config(L"PlayRingerOnAllDevices"), L"FALSE");
        EXPECT_FALSE(all->getIsSelected());
        service->setCurrentMediaDevice(RINGER, all);
        EXPECT_EQ(config(L"PlayRingerOnAllDevices"), L"TRUE");
        EXPECT_EQ(onAll->log.calls, (Strings{"IsSelected", "IsSelected", "IsSelected"}));
    });
    EXPECT_EQ(features->calls, (Strings{"setCurrentMediaDevice 1 PlayRingerOnAllDevices", "setCurrentMediaDevice 1 r2",
                                        "setCurrentMediaDevice 1 PlayRingerOnAllDevices"}));
}

TEST_F(ServicePlayback, AllRingersVolumeIsKeptUntilPersistedAndReadBackByANewService) {
    store->set(L"PlayRingerOnAllDevices", L"TRUE");
    run([&] {
        auto all = service->getPlayRingerOnAllDevices();
        EXPECT_EQ(all->getDeviceVolume(), 75) << "default without a stored volume";
        auto onAll = observeDevice(all);
        service->SetAllRingerDeviceVolume(75);
        EXPECT_TRUE(onAll->log.calls.empty());
        service->setDeviceVolume(RINGER, all, 30);
        service->setCurrentDeviceVolume(RINGER, 20);
        EXPECT_EQ(onAll->log.calls, (Strings{"DeviceVolume", "DeviceVolume"}));
        EXPECT_EQ(config(L"RingerVolumeForAllDevices"), L"<absent>");
        service->persistVolumes();
        EXPECT_EQ(config(L"RingerVolumeForAllDevices"), L"20");

        auto restarted = std::make_shared<MediaDeviceServiceImpl>(factory);
        EXPECT_EQ(restarted->getPlayRingerOnAllDevices()->getDeviceVolume(), 20);
        EXPECT_TRUE(restarted->getPlayRingerOnAllDevices()->getIsSelected());
    });
    EXPECT_TRUE(features->calls.empty()) << "all-ringers volume never reaches the adapter";
}

TEST_F(ServicePlayback, EverySoundEndIsAnnouncedEvenWithTheSameId) {
    run([&] {
        auto observer = observeService(service);
        service->onSoundPlayFinished(12);
        service->onSoundPlayFinished(12);
        EXPECT_EQ(observer->log.calls, (Strings{"SoundPlayFinished", "SoundPlayFinished"}));
        EXPECT_EQ(service->getSoundPlayFinished(), 12);
    });
}

class ServiceRingersOnTheModule : public ModuleTestFixture {
protected:
    void TearDown() override { EXPECT_EQ(UpdateAccess::violationCount(), 0u); }
};

TEST_F(ServiceRingersOnTheModule, AllRingersModeOnTheModuleWithAndWithoutRingers) {
    ModuleOptions options;
    std::string error;
    ASSERT_TRUE(olvar::velk::parseScenario("device capture sel=cam\n", options.scenario, error)) << error;
    for (bool withRingers : {true, false}) {
        setUpStarted(withRingers ? ModuleOptions{} : options);
        onDispatcher([&] {
            EXPECT_EQ(service->getAvailableRingerDevices()->empty(), !withRingers);
            service->setPlayRingerOnAllDevices();
            EXPECT_EQ(service->getCurrentRingerDevice(), withRingers ? service->getPlayRingerOnAllDevices() : nullptr);
        });
        std::wstring stored;
        EXPECT_TRUE(store->get(L"PlayRingerOnAllDevices", stored));
        EXPECT_EQ(stored, L"TRUE");
        EXPECT_EQ(UpdateAccess::violationCount(), 0u);
        tearDownModule();
    }
}

}  // namespace
}  // namespace olvar::test
