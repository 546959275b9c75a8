// Device and volume events: from the simulated device manager through the event observer
// and the background worker to the telephony side and the service's notifiers.
#include <algorithm>

#include "MediaDeviceAdapterTestSupport.h"

namespace olvar::test {
namespace {

const char* const kAvailableTrue = "setCaptureDeviceAvailable true";
const char* const kAvailableFalse = "setCaptureDeviceAvailable false";

bool contains(const std::vector<std::string>& ids, const std::string& id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

ModuleOptions withoutCameras() {
    ModuleOptions options;
    auto& s = options.scenario;
    s.devices.erase(std::remove_if(s.devices.begin(), s.devices.end(),
                                   [](const auto& d) { return d.kind == DEVICE_KIND_CAPTURE; }),
                    s.devices.end());
    s.defaults.erase(std::remove_if(s.defaults.begin(), s.defaults.end(),
                                    [](const auto& d) { return d.kind == DEVICE_KIND_CAPTURE; }),
                     s.defaults.end());
    return options;
}

class MediaDeviceAdapterEvents : public AdapterModuleTest {
protected:
    using Calls = std::vector<std::string>;

    Calls captureCalls() {
        Calls calls = telephony->calls().calls();
        calls.erase(std::remove_if(calls.begin(), calls.end(),
                                   [](const std::string& c) { return c.rfind("setCaptureDeviceAvailable", 0) != 0; }),
                    calls.end());
        return calls;
    }
    Counter countVolumeFires(Type type, const std::string& selectionId) {
        auto target = preferredDevice(type, selectionId);
        if (!target) {
            ADD_FAILURE() << "no published device " << selectionId;
            return std::make_shared<std::atomic<int>>(-1);
        }
        return countFires([target] { return target->getMediaDeviceNotifiers()->getDeviceVolumeNotifier(); });
    }
    static olvar::velk::SimulatedDevice usbCamera() {
        return device(DEVICE_KIND_CAPTURE, "cam-usb", "USB\\VID_046D&PID_0825&MI_00");
    }
};

// ---- cameras and the telephony side -------------------------------------------------------

TEST_F(MediaDeviceAdapterEvents, PluggedCameraAndRemovalOfTheLastReachTelephony) {
    setUpStarted(withoutCameras());
    EXPECT_EQ(captureCalls(), Calls{kAvailableFalse}) << "start reports that no camera exists";
    telephony->calls().clear();

    plug(usbCamera());
    EXPECT_EQ(captureCalls(), Calls{kAvailableTrue});
    unplug("cam-usb");
    EXPECT_EQ(captureCalls(), (Calls{kAvailableTrue, kAvailableFalse}));
}

TEST_F(MediaDeviceAdapterEvents, RemovingOneOfTwoCamerasTellsTelephonyNothing) {
    setUpStarted();
    EXPECT_EQ(captureCalls(), Calls{kAvailableTrue});
    plug(usbCamera());
    telephony->calls().clear();
    auto removed = countServiceFires(&MediaDeviceServiceNotifiers::getDeviceRemovedNotifier);

    unplug("cam-usb");
    EXPECT_TRUE(captureCalls().empty());
    EXPECT_EQ(*removed, 1) << "the service still hears of the removal";
    unplug("cam-builtin");
    EXPECT_EQ(captureCalls(), Calls{kAvailableFalse});
}

// ---- device events end to end -------------------------------------------------------------

TEST_F(MediaDeviceAdapterEvents, PlugAndUnplugReachTheServiceNotifiers) {
    setUpStarted();
    auto added = countServiceFires(&MediaDeviceServiceNotifiers::getDeviceAddedNotifier);
    auto removed = countServiceFires(&MediaDeviceServiceNotifiers::getDeviceRemovedNotifier);
    telephony->calls().clear();

    plug(device(DEVICE_KIND_PLAYBACK, "usb-dock-spk", "USB\\VID_1111&PID_2222"));
    EXPECT_EQ(*added, 1);
    EXPECT_EQ(*removed, 0);
    EXPECT_TRUE(contains(availableIds(kSpeaker), "usb-dock-spk"));
    EXPECT_TRUE(captureCalls().empty()) << "only cameras concern the capture flag";
    // The event merges the new device into the lists of its kind at once.
    ASSERT_FALSE(preferredIds(kSpeaker).empty());
    EXPECT_EQ(preferredIds(kSpeaker).front(), "usb-dock-spk") << "new devices go first by default";
    EXPECT_FALSE(contains(preferredIds(kMicrophone), "usb-dock-spk"));
    adapter->StopFeatureSet(kFeatureSet, noEvents());
    start();
    EXPECT_EQ(preferredIds(kSpeaker).front(), "usb-dock-spk") << "and the restart keeps it there";

    plug(device(DEVICE_KIND_RECORDING, "usb-dock-mic", "USB\\VID_1111&PID_2222"));
    EXPECT_EQ(*added, 2);
    unplug("usb-dock-spk");
    EXPECT_EQ(*removed, 1);
    EXPECT_FALSE(contains(availableIds(kSpeaker), "usb-dock-spk"));
    EXPECT_TRUE(contains(availableIds(kMicrophone), "usb-dock-mic"));
}

TEST_F(MediaDeviceAdapterEvents, EventsAfterStopReachNobody) {
    setUpStarted();
    auto added = countServiceFires(&MediaDeviceServiceNotifiers::getDeviceAddedNotifier);
    adapter->StopFeatureSet(kFeatureSet, noEvents());
    telephony->calls().clear();
    plug(usbCamera());
    EXPECT_EQ(*added, 0);
    EXPECT_TRUE(captureCalls().empty());
}

// ---- volume handlers ----------------------------------------------------------------------

TEST_F(MediaDeviceAdapterEvents, ApplicationVolumeChangeUpdatesTheSpeakerEntryOnlyWhenItDiffers) {
    setUpStarted();
    auto fires = countVolumeFires(kSpeaker, "spk-builtin");
    adapter->onApplicationVolumeChange("spk-builtin", 75);
    drain();
    EXPECT_EQ(volumeOf(kSpeaker, "spk-builtin"), 75);
    EXPECT_EQ(*fires, 1);

    adapter->onApplicationVolumeChange("spk-builtin", 75);  // unchanged: nothing posted
    adapter->onInputGainChange("spk-builtin", 20);          // not in the microphone list
    adapter->onApplicationVolumeChange("no-such-device", 20);
    drain();
    EXPECT_EQ(volumeOf(kSpeaker, "spk-builtin"), 75);
    EXPECT_EQ(*fires, 1);
}

TEST_F(MediaDeviceAdapterEvents, InputGainChangeUpdatesTheMicrophoneEntryOnlyWhenItDiffers) {
    setUpStarted();
    auto fires = countVolumeFires(kMicrophone, "usb-headset-mic");
    const int before = volumeOf(kMicrophone, "usb-headset-mic");
    adapter->onApplicationVolumeChange("usb-headset-mic", before + 5);  // speaker list: no match
    drain();
    EXPECT_EQ(*fires, 0);

    adapter->onInputGainChange("usb-headset-mic", before + 5);
    adapter->onInputGainChange("usb-headset-mic", before + 5);
    drain();
    EXPECT_EQ(volumeOf(kMicrophone, "usb-headset-mic"), before + 5);
    EXPECT_EQ(*fires, 1);
}

TEST_F(MediaDeviceAdapterEvents, VolumeNotificationsOfTheDeviceManagerChangeNothing) {
    setUpStarted();
    auto speakerFires = countVolumeFires(kSpeaker, "spk-builtin");
    auto microphoneFires = countVolumeFires(kMicrophone, "mic-builtin");
    const int speakerBefore = volumeOf(kSpeaker, "spk-builtin");
    const int microphoneBefore = volumeOf(kMicrophone, "mic-builtin");
    auto control = backend->manager()->getVolumeControl();
    ASSERT_TRUE(control->setSpeakerVolume("spk-builtin", speakerBefore == 90 ? 91 : 90));
    ASSERT_TRUE(control->setInputGain("mic-builtin", microphoneBefore == 10 ? 11 : 10));
    drain();
    EXPECT_EQ(volumeOf(kSpeaker, "spk-builtin"), speakerBefore);
    EXPECT_EQ(volumeOf(kMicrophone, "mic-builtin"), microphoneBefore);
    EXPECT_EQ(*speakerFires, 0);
    EXPECT_EQ(*microphoneFires, 0);
}

TEST_F(MediaDeviceAdapterEvents, SpeakerVolumeChangeReachesTheCurrentSpeakerVolume) {
    setUpStarted();
    auto builtIn = preferredDevice(kSpeaker, "spk-builtin");
    ASSERT_TRUE(builtIn);
    onDispatcher([&] { service->setDeviceSelected(kSpeaker, builtIn); });
    auto fires = countServiceFires(&MediaDeviceServiceNotifiers::getCurrentSpeakerDeviceVolumeNotifier);

    adapter->onDeviceVolumeChanged("spk-builtin", 80);
    drain();
    EXPECT_EQ(read([&] { return static_cast<int>(service->getCurrentSpeakerDeviceVolume()); }), 80);
    EXPECT_EQ(*fires, 1);

    adapter->onDeviceVolumeChanged("spk-builtin", 80);
    adapter->onDeviceVolumeChanged("usb-headset-spk", 30);  // not the current speaker
    drain();
    EXPECT_EQ(read([&] { return static_cast<int>(service->getCurrentSpeakerDeviceVolume()); }), 80);
    EXPECT_EQ(*fires, 1);
}

}  // namespace
}  // namespace olvar::test
