// Volumes read and written per type against the simulated device manager and the telephony
// stand-in's ringer, with the preferred lists as the fallback, and the microphone meter.
#include "featuresets/adapters/mediaDevice/core/DeviceVolumes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ModuleTestFixture.h"

namespace olvar::test {
namespace {

using enum MediaDeviceTypeEnum::MediaDeviceType;

class DeviceVolumes : public ModuleTestFixture {
protected:
    using Type = MediaDeviceTypeEnum::MediaDeviceType;
    // The host with the simulated device manager (its built-in scenario) or without one.
    void startHost(bool withVolumeControl = true) {
        ModuleOptions options;
        options.backend.withVolumeControl = withVolumeControl;
        setUpHost(options);
        volumes = std::make_unique<OlvarUnified::DeviceVolumes>(
            VolumeChannels(factory, VelkWrapper::Instance()->Mgr()), lists);
    }
    PreferredMediaDevicePtr listed(Type type, const std::string& selectionId, int volume) {
        auto record = std::make_shared<PreferredMediaDeviceImpl>(selectionId, "HW-" + selectionId, selectionId, type,
                                                                 volume, "", selectionId, "", "");
        auto list = lists.snapshot(type);
        if (!list) list = std::make_shared<std::vector<PreferredMediaDevicePtr>>();
        list->push_back(record);
        lists.replace(type, list);
        return record;
    }
    int storedVolume(Type type, const std::string& selectionId) {
        auto record =
            lists.findRecord(type, [&](const PreferredMediaDeviceImpl& r) { return r.selectionId == selectionId; });
        return record ? record->volume : -1;
    }

    PreferredDeviceLists lists;
    std::unique_ptr<OlvarUnified::DeviceVolumes> volumes;
};

TEST_F(DeviceVolumes, AVolumeComesFromTheControlThenTheListThenTheDefault) {
    startHost();
    ASSERT_TRUE(VelkWrapper::Instance()->Mgr()->getVolumeControl()->setSpeakerVolume("spk-builtin", 70));
    listed(SPEAKER, "spk-builtin", 20);
    listed(SPEAKER, "unplugged-spk", 33);

    EXPECT_EQ(volumes->deviceVolume(SPEAKER, std::string("spk-builtin")), 70);
    EXPECT_EQ(volumes->deviceVolume(SPEAKER, std::string("unplugged-spk")), 33);
    EXPECT_EQ(volumes->deviceVolume(SPEAKER, std::string("nowhere")), 50);
    EXPECT_EQ(volumes->speakerDeviceVolume("unplugged-spk"), 33);
    EXPECT_EQ(volumes->speakerDeviceVolume("nowhere"), -1);
}

TEST_F(DeviceVolumes, ASpeakerKeepsItsStoredVolumeAndAMicrophoneTakesTheControls) {
    startHost();
    auto control = VelkWrapper::Instance()->Mgr()->getVolumeControl();
    ASSERT_TRUE(control->setSpeakerVolume("spk-builtin", 70));
    ASSERT_TRUE(control->setInputGain("mic-builtin", 60));
    const auto speaker = listed(SPEAKER, "spk-builtin", 20);
    const auto microphone = listed(MICROPHONE, "mic-builtin", 20);

    EXPECT_EQ(volumes->deviceVolume(SPEAKER, speaker), 20);
    EXPECT_EQ(volumes->deviceVolume(MICROPHONE, microphone), 60);
    speaker->volume = -1;
    EXPECT_EQ(volumes->deviceVolume(SPEAKER, speaker), 70) << "a record without a volume asks the control";
    EXPECT_EQ(volumes->deviceVolume(SPEAKER, PreferredMediaDevicePtr()), -1);
}

TEST_F(DeviceVolumes, WithoutAVolumeControlAnUnknownVolumeIsNone) {
    startHost(false);
    listed(SPEAKER, "unplugged-spk", 33);
    EXPECT_EQ(volumes->deviceVolume(SPEAKER, std::string("unplugged-spk")), 33);
    EXPECT_EQ(volumes->deviceVolume(SPEAKER, std::string("nowhere")), -1);
    EXPECT_EQ(volumes->speakerDeviceVolume("unplugged-spk"), 0);
}

TEST_F(DeviceVolumes, ACameraHasNoVolumeOfItsOwn) {
    startHost();
    const auto camera = listed(CAMERA, "cam-builtin", 50);

    EXPECT_EQ(volumes->fromControl(CAMERA, "cam-builtin"), -1);
    EXPECT_EQ(volumes->setVolume(CAMERA, *camera, 40), nullptr);
    EXPECT_EQ(storedVolume(CAMERA, "cam-builtin"), 50);
    EXPECT_EQ(volumes->deviceVolume(CAMERA, std::string("other-cam")), 50) << "the default, given a volume control";
}

TEST_F(DeviceVolumes, AMicrophoneGainIsTakenWhateverTheControlSaysASpeakerVolumeIsNot) {
    startHost();
    const auto microphone = listed(MICROPHONE, "unknown-mic", 50);
    const auto speaker = listed(SPEAKER, "unknown-spk", 50);

    const auto changed = volumes->setVolume(MICROPHONE, *microphone, 30);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->volume, 30);
    EXPECT_EQ(storedVolume(MICROPHONE, "unknown-mic"), 30);
    EXPECT_NE(changed, microphone) << "a copy, not the stored record";

    EXPECT_EQ(volumes->setVolume(SPEAKER, *speaker, 30), nullptr);
    EXPECT_EQ(storedVolume(SPEAKER, "unknown-spk"), 50);
    const auto known = listed(SPEAKER, "spk-builtin", 50);
    EXPECT_EQ(volumes->setVolume(SPEAKER, *known, 130), nullptr) << "refused by the control: out of range";
    EXPECT_EQ(volumes->setVolume(SPEAKER, *known, 80)->volume, 80);
}

TEST_F(DeviceVolumes, TheRingerVolumeIsTheTelephonySidesOneVolume) {
    startHost();
    const auto ringer = listed(RINGER, "spk-builtin", 50);
    ASSERT_TRUE(volumes->setVolume(RINGER, *ringer, 70));
    EXPECT_EQ(telephony->ringer()->getRingerVolume(), 70);
    EXPECT_EQ(volumes->fromControl(RINGER, "any-device"), 70);
}

TEST_F(DeviceVolumes, TheMeterStartsAndStopsOnceOnAListedMicrophoneOnly) {
    startHost();
    const auto microphone = listed(MICROPHONE, "mic-builtin", 50);
    const auto stranger = std::make_shared<PreferredMediaDeviceImpl>(*microphone);
    stranger->uniqueIdentifier = -1;

    EXPECT_EQ(volumes->initialisePeak(stranger), nullptr);
    EXPECT_EQ(volumes->peakLevel(*microphone), std::nullopt) << "not started";
    const auto started = volumes->initialisePeak(microphone);
    ASSERT_TRUE(started);
    EXPECT_TRUE(started->isPeakInitialised);
    EXPECT_EQ(volumes->initialisePeak(microphone), nullptr) << "already running";
    EXPECT_TRUE(volumes->peakLevel(*started).has_value());

    const auto stopped = volumes->unInitialisePeak(microphone);
    ASSERT_TRUE(stopped);
    EXPECT_FALSE(stopped->isPeakInitialised);
    EXPECT_EQ(volumes->unInitialisePeak(microphone), nullptr) << "already stopped";
}

}  // namespace
}  // namespace olvar::test
