// A device type outside the four: the service keeps it on the speaker's published list,
// which it reads and changes without a list, current-device or availability notification,
// and hands it to the feature set as it came.
#include "MediaDeviceServiceImplTestSupport.h"

using namespace OlvarUnified::MediaDeviceTypeEnum;

namespace olvar::test {
namespace {

using Devices = std::vector<std::shared_ptr<MediaDevice>>;

constexpr auto kUnknown = static_cast<MediaDeviceType>(7);

class ServiceUnknownType : public DirectServiceFixture {
protected:
    void SetUp() override {
        DirectServiceFixture::SetUp();
        withFeatureSet();
        createService();
    }
};

TEST_F(ServiceUnknownType, ItReadsAndChangesTheSpeakersListSilently) {
    run([&] {
        auto a = device({"a"}), b = device({"b"});
        auto onService = observeService(service);
        auto onHeld = observeDevice(service->getCurrentSpeaker());

        EXPECT_EQ(service->getPreferredDeviceList(kUnknown), service->getPreferredOutputDevices());
        push(kUnknown, {a, b});
        EXPECT_EQ(*service->getPreferredOutputDevices(), (Devices{a, b}));
        EXPECT_EQ(service->getPluggedInPositionInPreferredDeviceList(kUnknown, b), 1);

        service->setDeviceSelected(kUnknown, a);
        EXPECT_TRUE(a->getIsSelected());
        EXPECT_EQ(service->getCurrentDevice(kUnknown), a);

        service->setServicesDeviceVolume(kUnknown, snapshotOf(factory, a, [](auto& r) { r.volume = 20; }));
        service->updatePreferredDevice(kUnknown, snapshotOf(factory, b, [](auto& r) { r.name = "b2"; }));
        EXPECT_EQ(a->getDeviceVolume(), 20);
        EXPECT_EQ(namesOf(service->getPreferredOutputDevices()), (Strings{"a", "b2"}));

        EXPECT_TRUE(onService->log.calls.empty()) << "no list, current-device or availability notification";
        EXPECT_TRUE(onHeld->log.calls.empty()) << "the current speaker is not this type's";
        EXPECT_TRUE(service->getCurrentSpeaker()->getSelectionId().empty());
    });
}

TEST_F(ServiceUnknownType, RequestsReachTheFeatureSetWithTheTypeAsGiven) {
    run([&] {
        auto a = device({"a", "HW-A"});
        features->plugged[SPEAKER] = listOf({a});
        EXPECT_TRUE(service->getAvailableDeviceList(kUnknown)->empty()) << "the speaker's devices are not asked for";
        EXPECT_TRUE(service->getAvailableMediaDeviceByHardwareId(kUnknown, L"HW-A")->empty());

        push(kUnknown, {a});
        service->setDeviceSelected(kUnknown, a);
        service->setCurrentMediaDevice(kUnknown, a);
        service->setDeviceVolume(kUnknown, a, 30);
        service->setCurrentDeviceVolume(kUnknown, 40);
        service->modifyPreferredDeviceList(kUnknown, listOf({a}), listOf({}));
        EXPECT_EQ(features->calls, (Strings{"setCurrentMediaDevice 7 a", "setMediaDeviceVolume 7 30 a",
                                            "setMediaDeviceVolume 7 40 a", "modifyPreferredDeviceList 7 1 0"}));
    });
}

}  // namespace
}  // namespace olvar::test
