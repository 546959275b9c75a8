// A device type outside the four, at the adapter: it stores on the speaker's list and lock,
// finds no devices, volume or telephony call of its own, and still tells the accessories side.
#include "MediaDeviceAdapterTestSupport.h"

namespace olvar::test {
namespace {

constexpr auto kUnknown = static_cast<MediaDeviceTypeEnum::MediaDeviceType>(7);

class MediaDeviceAdapterUnknownType : public AdapterModuleTest {
protected:
    void SetUp() override { setUpStarted(); }

    PreferredMediaDevicePtr listedSpeaker(const std::string& selectionId) {
        const auto list = adapter->copyOfPreferredDeviceList(kSpeaker);
        for (const auto& record : *list)
            if (record->selectionId == selectionId) return record;
        ADD_FAILURE() << "no speaker record " << selectionId;
        return std::make_shared<PreferredMediaDeviceImpl>("", "", selectionId, kSpeaker, -1, "", "", "", "");
    }
    std::vector<std::string> recordIds(Type type) {
        std::vector<std::string> ids;
        const auto list = adapter->copyOfPreferredDeviceList(type);
        for (const auto& record : *list) ids.push_back(record->selectionId);
        return ids;
    }
};

TEST_F(MediaDeviceAdapterUnknownType, ItHasNoDevicesOfItsOwnButTheSpeakersListAndLock) {
    ASSERT_FALSE(adapter->getPluginDevice(kSpeaker)->empty());
    EXPECT_TRUE(adapter->getPluginDevice(kUnknown)->empty());
    EXPECT_EQ(adapter->getDefaultDevice(kUnknown), nullptr);
    olvar::velk::DeviceInfoList out = VelkWrapper::Instance()->GetPlaybackDevices();
    adapter->getAvailableDeviceInfo(kUnknown, out);
    EXPECT_TRUE(out.empty());

    EXPECT_EQ(&adapter->getMutex(kUnknown), &adapter->getMutex(kSpeaker));
    EXPECT_EQ(recordIds(kUnknown), recordIds(kSpeaker));
}

TEST_F(MediaDeviceAdapterUnknownType, VolumesComeFromTheSpeakersListNeverFromAControl) {
    adapter->onApplicationVolumeChange("spk-builtin", 25);  // the list only; the control keeps its own
    drain();
    EXPECT_EQ(adapter->getDeviceVolume(kSpeaker, std::string("spk-builtin")), 60) << "the control's";
    EXPECT_EQ(adapter->getDeviceVolume(kUnknown, std::string("spk-builtin")), 25) << "the speaker list's";
    EXPECT_EQ(adapter->getDeviceVolume(kUnknown, std::string("no-such-device")), 50);
    auto record = listedSpeaker("spk-builtin");
    record->volume = 12;
    EXPECT_EQ(adapter->getDeviceVolume(kUnknown, record), 25) << "a record's own volume is not kept";

    backend->clearCalls();
    telephony->ringer()->calls().clear();
    adapter->setMediaDeviceVolumeImpl(kUnknown, listedSpeaker("spk-builtin"), 10);
    drain();
    EXPECT_EQ(backend->callCount("setSpeakerVolume"), 0u);
    EXPECT_EQ(telephony->ringer()->calls().count("setRingerVolume"), 0u);
    EXPECT_EQ(listedSpeaker("spk-builtin")->volume, 25);
}

TEST_F(MediaDeviceAdapterUnknownType, SelectionTellsOnlyTheAccessoriesSideAndFails) {
    telephony->audio()->calls().clear();
    accessories->calls().clear();
    auto record = listedSpeaker("usb-headset-spk");
    EXPECT_FALSE(adapter->setCurrentMediaDeviceImpl(kUnknown, record));
    drain();
    EXPECT_TRUE(telephony->audio()->calls().calls().empty());
    // Told once, as device kind 0: the accessories side knows no kind for it.
    EXPECT_EQ(accessories->calls().calls().size(), 1u);
    EXPECT_EQ(accessories->calls().count("setCurrentAccessoryDevice 0 "), 1u);
}

TEST_F(MediaDeviceAdapterUnknownType, AReorderReordersTheSpeakersList) {
    auto ids = recordIds(kSpeaker);
    ASSERT_EQ(ids.size(), 2u);
    adapter->modifyPreferredDeviceList(kUnknown, std::make_shared<std::vector<PreferredMediaDevicePtr>>(std::vector{
                                                     listedSpeaker(ids[1]), listedSpeaker(ids[0])}),
                                       std::make_shared<std::vector<PreferredMediaDevicePtr>>());
    drain();
    EXPECT_EQ(recordIds(kSpeaker), (std::vector<std::string>{ids[1], ids[0]}));
    EXPECT_EQ(preferredIds(kSpeaker), (Ids{ids[1], ids[0]})) << "the service's speaker list follows";
}

}  // namespace
}  // namespace olvar::test
