// The device in use, end to end: start, plug, unplug, reorder and headset buttons move the
// service's current devices, and the published lists agree with the device manager.
#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <map>
#include <sstream>

#include "MediaDeviceAdapterTestSupport.h"

namespace olvar::test {
namespace {

const char* const kBuiltInHardwareId = "PCI\\VEN_1234&DEV_0001";

class MediaDeviceAdapterSelection : public AdapterModuleTest {
protected:
    // Fires of each type's current-device notifier.
    using Fires = std::map<Type, Counter>;
    Fires countCurrentFires() {
        return {{kSpeaker, countServiceFires(&MediaDeviceServiceNotifiers::getCurrentSpeakerNotifier)},
                {kMicrophone, countServiceFires(&MediaDeviceServiceNotifiers::getCurrentMicrophoneNotifier)},
                {kRinger, countServiceFires(&MediaDeviceServiceNotifiers::getCurrentRingerNotifier)},
                {kCamera, countServiceFires(&MediaDeviceServiceNotifiers::getCurrentVideoNotifier)}};
    }
    // Per type: the service's device in use and how often its notifier fired to get there.
    struct InUse {
        Type type;
        std::string current;
        int fires;
    };
    void expectInUse(const Fires& fires, std::initializer_list<InUse> expected) {
        for (const auto& row : expected) {
            EXPECT_EQ(current(row.type), row.current) << "type " << row.type;
            EXPECT_EQ(*fires.at(row.type), row.fires) << "type " << row.type;
        }
    }

    // Selection id held by the service's current-device object of the type.
    std::string current(Type type) {
        return read([&] {
            std::shared_ptr<MediaDevice> held;
            switch (type) {
                case kSpeaker: held = service->getCurrentSpeaker(); break;
                case kRinger: held = service->getCurrentRinger(); break;
                case kMicrophone: held = service->getCurrentMicrophone(); break;
                default: held = service->getCurrentVideo(); break;
            }
            return MirelCoreUtils::toString(held->getSelectionId());
        });
    }
    Ids selectedIds(Type type) {
        return read([&] {
            Ids ids;
            for (const auto& device : *service->getPreferredDeviceList(type))
                if (device->getIsSelected()) ids.push_back(MirelCoreUtils::toString(device->getSelectionId()));
            return ids;
        });
    }
    bool isPluggedIn(Type type, const std::string& selectionId) {
        auto device = preferredDevice(type, selectionId);
        return device && read([&] { return device->getIsPluggedIn(); });
    }
    static olvar::velk::SimulatedDevice scenarioDevice(const std::string& selectionId) {
        for (const auto& d : olvar::velk::builtInDefaultScenario().devices)
            if (d.selectionId == selectionId) return d;
        ADD_FAILURE() << "no scenario device " << selectionId;
        return {};
    }
    std::string storeText() const {
        std::ifstream in(propertiesFile());
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static ModuleOptions withConfig(std::wstring key, std::wstring value) {
        ModuleOptions options;
        options.config.emplace_back(std::move(key), std::move(value));
        return options;
    }
};

TEST_F(MediaDeviceAdapterSelection, StartPutsTheFirstPluggedInDeviceOfEachListInUseAndFiresOnce) {
    setUpHost();
    inject();
    auto fires = countCurrentFires();
    start();

    expectInUse(fires, {{kSpeaker, "usb-headset-spk", 1},
                        {kMicrophone, "usb-headset-mic", 1},
                        {kCamera, "cam-builtin", 1},
                        {kRinger, "usb-headset-spk", 1}});
    EXPECT_EQ(selectedIds(kSpeaker), Ids{"usb-headset-spk"});
    EXPECT_EQ(selectedIds(kCamera), Ids{"cam-builtin"});
    EXPECT_EQ(telephony->audio()->getCurrentDevice(kSpeaker), "usb-headset-spk");
}

TEST_F(MediaDeviceAdapterSelection, UnplugAndReplugOfTheHeadsetMoveTheDevicesInUse) {
    setUpStarted();
    auto fires = countCurrentFires();

    unplug("usb-headset-spk");
    unplug("usb-headset-mic");
    expectInUse(fires, {{kSpeaker, "spk-builtin", 1}, {kMicrophone, "mic-builtin", 1}, {kCamera, "cam-builtin", 0}});
    EXPECT_EQ(current(kRinger), "spk-builtin");
    EXPECT_FALSE(isPluggedIn(kSpeaker, "usb-headset-spk"));
    EXPECT_FALSE(isPluggedIn(kMicrophone, "usb-headset-mic"));
    EXPECT_FALSE(isPluggedIn(kRinger, "usb-headset-spk"));
    EXPECT_EQ(selectedIds(kSpeaker), Ids{"spk-builtin"});
    EXPECT_EQ(preferredIds(kSpeaker), (Ids{"usb-headset-spk", "spk-builtin"})) << "an unplugged device keeps its rank";

    plug(scenarioDevice("usb-headset-spk"));
    plug(scenarioDevice("usb-headset-mic"));
    expectInUse(fires, {{kSpeaker, "usb-headset-spk", 2}, {kMicrophone, "usb-headset-mic", 2}});
    EXPECT_TRUE(isPluggedIn(kSpeaker, "usb-headset-spk"));
    EXPECT_EQ(selectedIds(kSpeaker), Ids{"usb-headset-spk"});
    EXPECT_EQ(preferredIds(kSpeaker), (Ids{"usb-headset-spk", "spk-builtin"})) << "no duplicate record";
}

// The device event is heard first; the lists and the device in use follow it. When
// DeviceAdded or DeviceRemoved fires, the telephony side has not been switched yet, so that
// work never delays the event's delivery.
TEST_F(MediaDeviceAdapterSelection, PlugAndUnplugAreHeardBeforeTheDeviceInUseMoves) {
    setUpStarted();
    unplug("usb-headset-spk");
    std::vector<std::string> heard;  // touched on the dispatcher only
    onDispatcher([&] {
        auto notifiers = service->getMediaDeviceServiceNotifiers();
        auto inUse = [this] { return telephony->audio()->getCurrentDevice(kSpeaker); };
        notifiers->getDeviceAddedNotifier()->connect([&heard, inUse] { heard.push_back("added, in use " + inUse()); });
        notifiers->getDeviceRemovedNotifier()->connect(
            [&heard, inUse] { heard.push_back("removed, in use " + inUse()); });
        notifiers->getCurrentSpeakerNotifier()->connect([&heard, this] {
            heard.push_back("current " + MirelCoreUtils::toString(service->getCurrentSpeaker()->getSelectionId()));
        });
    });

    plug(scenarioDevice("usb-headset-spk"));
    unplug("usb-headset-spk");
    EXPECT_EQ(read([&] { return heard; }),
              (std::vector<std::string>{"added, in use spk-builtin", "current usb-headset-spk",
                                        "removed, in use usb-headset-spk", "current spk-builtin"}));
}

TEST_F(MediaDeviceAdapterSelection, ANewDeviceLeadsUnderPreferNewDeviceAndIsPersisted) {
    setUpStarted();
    plug(device(DEVICE_KIND_PLAYBACK, "usb-new", "USB\\VID_1395&PID_0042&MI_00"));
    EXPECT_EQ(preferredIds(kSpeaker), (Ids{"usb-new", "usb-headset-spk", "spk-builtin"}));
    EXPECT_EQ(current(kSpeaker), "usb-new");
    EXPECT_EQ(selectedIds(kSpeaker), Ids{"usb-new"});
    EXPECT_NE(storeText().find("usb-new"), std::string::npos);
}

TEST_F(MediaDeviceAdapterSelection, ANewDeviceJoinsAtTheEndUnderAnyOtherPreference) {
    setUpStarted(withConfig(L"HeadsetPreference", L"PreferKnownDevice"));
    auto fires = countCurrentFires();
    plug(device(DEVICE_KIND_PLAYBACK, "usb-new", "USB\\VID_1395&PID_0042&MI_00"));
    EXPECT_EQ(preferredIds(kSpeaker), (Ids{"spk-builtin", "usb-headset-spk", "usb-new"}));
    EXPECT_EQ(current(kSpeaker), "spk-builtin");
    EXPECT_EQ(*fires.at(kSpeaker), 0);
    EXPECT_NE(storeText().find("usb-new"), std::string::npos);
}

TEST_F(MediaDeviceAdapterSelection, ReorderingThePreferredSpeakersMovesTheCurrentSpeaker) {
    setUpStarted();
    auto fires = countCurrentFires();
    onDispatcher([&] {
        auto list = service->getPreferredDeviceList(kSpeaker);
        auto reordered = std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>(list->rbegin(), list->rend());
        service->modifyPreferredDeviceList(kSpeaker, reordered, std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>());
    });
    drain();
    EXPECT_EQ(preferredIds(kSpeaker), (Ids{"spk-builtin", "usb-headset-spk"}));
    EXPECT_EQ(current(kSpeaker), "spk-builtin");
    EXPECT_EQ(selectedIds(kSpeaker), Ids{"spk-builtin"});
    EXPECT_EQ(*fires.at(kSpeaker), 1);
    EXPECT_EQ(telephony->audio()->getCurrentDevice(kSpeaker), "spk-builtin");
}

TEST_F(MediaDeviceAdapterSelection, HeadsetButtonsMoveTheDeviceInUseAndStepTheVolume) {
    setUpStarted();
    ASSERT_EQ(telephonyService->registeredCount(), 1u);
    ASSERT_TRUE(telephonyService->fireByName("answer-call", kBuiltInHardwareId));
    drain();
    EXPECT_EQ(current(kSpeaker), "spk-builtin");
    EXPECT_EQ(current(kMicrophone), "mic-builtin");
    EXPECT_EQ(current(kCamera), "cam-builtin");

    const int before = volumeOf(kSpeaker, "spk-builtin");
    ASSERT_TRUE(telephonyService->fireByName("volume-up", "USB\\VID_047F&PID_AE11&MI_03"));
    drain();
    EXPECT_EQ(volumeOf(kSpeaker, "spk-builtin"), before + 5);
    EXPECT_EQ(backend->callCount("setSpeakerVolume spk-builtin " + std::to_string(before + 5)), 1u);
}

TEST_F(MediaDeviceAdapterSelection, ARingerWithoutItsOwnDeviceStillNamesTheAlertsDevice) {
    setUpStarted();
    EXPECT_EQ(backend->callCount("setAlertsDeviceName usb-headset-spk"), 1u);
    EXPECT_EQ(telephony->audio()->calls().count("setCurrentRinger"), 0u);
    EXPECT_EQ(current(kRinger), "usb-headset-spk") << "reported as switched";
}

TEST_F(MediaDeviceAdapterSelection, NothingPluggedInLeavesTheTypeWithoutACurrentDevice) {
    setUpStarted();
    unplug("cam-builtin");
    EXPECT_EQ(current(kCamera), "");
    EXPECT_TRUE(selectedIds(kCamera).empty());
    EXPECT_EQ(preferredIds(kCamera), Ids{"cam-builtin"});
}

TEST_F(MediaDeviceAdapterSelection, TelluxModeNeverWritesTheFile) {
    setUpStarted(withConfig(L"Tellux_SDK_Mode", L"true"));
    plug(device(DEVICE_KIND_PLAYBACK, "usb-new", "USB\\VID_1395&PID_0042&MI_00"));
    EXPECT_EQ(preferredIds(kSpeaker).size(), 3u) << "the list still changes in memory";
    adapter->StopFeatureSet(kFeatureSet, noEvents());
    drain();
    EXPECT_FALSE(storeFileExists());
}

TEST_F(MediaDeviceAdapterSelection, AnUnknownVolumeIsTheDefaultOnlyWithAVolumeControl) {
    setUpStarted();
    EXPECT_EQ(adapter->getDeviceVolume(kSpeaker, std::string("no-such-device")), 50);
    tearDownModule();

    ModuleOptions options;
    options.backend.withVolumeControl = false;
    setUpStarted(options);
    EXPECT_EQ(adapter->getDeviceVolume(kSpeaker, std::string("no-such-device")), -1);
    EXPECT_EQ(adapter->getSpeakerDeviceVolume("spk-builtin"), 0);
}

TEST_F(MediaDeviceAdapterSelection, PeakOfNoDeviceLogsItsError) {
    setUpStarted();
    LogCapture log(OLVAR_LOG_ERROR, "MediadeviceService-MediaDeviceAdapter");
    EXPECT_EQ(adapter->getInputDevicePeak(nullptr), 0.0f);
    EXPECT_EQ(log.count(OLVAR_LOG_ERROR, "NULL mediaDevicePtr passed to getInputDevicePeak"), 1u);
}

}  // namespace
}  // namespace olvar::test
