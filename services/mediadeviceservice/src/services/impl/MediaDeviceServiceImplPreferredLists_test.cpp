// Merging the adapter's pushes into the published lists, per-device updates, selection and
// the service-owned current-device objects.
#include <tuple>

#include "MediaDeviceServiceImplTestSupport.h"
#include "ModuleTestFixture.h"
#include "objects/mediaDeviceService/generated/MediaDeviceServiceNotifiers.h"

using namespace OlvarUnified::MediaDeviceTypeEnum;

namespace olvar::test {
namespace {

using MediaDevicePositionEnum::END;
using MediaDevicePositionEnum::FRONT;
using Devices = std::vector<std::shared_ptr<MediaDevice>>;

class ServicePreferredList : public DirectServiceFixture {
protected:
    void SetUp() override {
        DirectServiceFixture::SetUp();
        withFeatureSet();
        createService();
    }
    DeviceList speakers() { return service->getPreferredDeviceList(SPEAKER); }
    std::shared_ptr<MediaDevice> renamed(const std::shared_ptr<MediaDevice>& of, const std::string& name) {
        return snapshotOf(factory, of, [&](PreferredMediaDeviceImpl& r) { r.name = name; });
    }
};

TEST_F(ServicePreferredList, DevicesThatStayKeepTheirObjectsAndChangesAreReportedAddedFirst) {
    run([&] {
        auto a = device({"a"}), b = device({"b"}), c = device({"c"}), d = device({"d"});
        push(SPEAKER, {a, b, c});
        auto stored = speakers();
        std::vector<std::tuple<bool, Strings, Strings>> notified;
        service->getMediaDeviceServiceNotifiers()->getPreferredOutputDevicesNotifier()->connect(
            [&](bool reset, DeviceList added, DeviceList removed) {
                notified.emplace_back(reset, namesOf(added), namesOf(removed));
            });
        auto observer = observeService(service);

        push(SPEAKER, {snapshotOf(factory, b), d, snapshotOf(factory, a)});

        EXPECT_EQ(speakers(), stored) << "the stored vector is edited in place";
        EXPECT_EQ(*stored, (Devices{b, d, a}));
        EXPECT_EQ(notified, (std::vector<std::tuple<bool, Strings, Strings>>{{false, {"d"}, {"c"}}}));
        EXPECT_EQ(observer->log.calls, Strings{"PreferredOutputDevices"});
        ASSERT_EQ(observer->log.lists.size(), 1u);
        EXPECT_EQ(*observer->log.lists[0].first, Devices{d});
        EXPECT_EQ(*observer->log.lists[0].second, Devices{c}) << "the removed object itself";
    });
}

TEST_F(ServicePreferredList, ReorderOrUnchangedPushFiresWithTwoEmptyLists) {
    run([&] {
        auto a = device({"a"}), b = device({"b"}), c = device({"c"});
        push(SPEAKER, {a, b, c});
        auto observer = observeService(service);
        push(SPEAKER, {snapshotOf(factory, c), snapshotOf(factory, a), snapshotOf(factory, b)});
        EXPECT_EQ(*speakers(), (Devices{c, a, b}));
        push(SPEAKER, {c, a, b});
        EXPECT_EQ(*speakers(), (Devices{c, a, b}));
        ASSERT_EQ(observer->log.lists.size(), 2u);
        for (const auto& [added, removed] : observer->log.lists) {
            ASSERT_TRUE(added && removed);
            EXPECT_TRUE(added->empty());
            EXPECT_TRUE(removed->empty());
        }
    });
}

TEST_F(ServicePreferredList, NewDevicesEndInThePushedOrderWhateverThePosition) {
    run([&] {
        for (auto [type, position] : {std::pair{MICROPHONE, FRONT}, {CAMERA, END}}) {
            auto old = device({"old", "", type});
            push(type, {old}, position);
            push(type, {device({"x", "", type}), device({"y", "", type}), renamed(old, "ignored"), device({"z", "", type})},
                 position);
            EXPECT_EQ(namesOf(service->getPreferredDeviceList(type)), (Strings{"x", "y", "old", "z"})) << position;
        }
    });
}

// Only a push that repeats an identifier shows where new devices went: the sort that follows
// cannot tell two entries of one identifier apart.
TEST_F(ServicePreferredList, PositionZeroPutsNewDevicesAtTheFrontAnyOtherAtTheEnd) {
    run([&] {
        for (auto [type, position, expected] :
             {std::tuple{MICROPHONE, FRONT, Strings{"first", "second"}}, {CAMERA, END, Strings{"second", "first"}},
              {RINGER, static_cast<MediaDevicePositionEnum::MediaDevicePosition>(7), Strings{"second", "first"}}}) {
            auto first = device({"first", "", type});
            push(type, {first, renamed(first, "second")}, position);
            EXPECT_EQ(namesOf(service->getPreferredDeviceList(type)), expected) << position;
        }
    });
}

TEST_F(ServicePreferredList, RepeatedIdentifierPastTheStoredEndIsSkipped) {
    run([&] {
        auto a = device({"a"}), b = device({"b"});
        push(SPEAKER, {a, b});
        push(SPEAKER, {renamed(a, "a2"), renamed(a, "a3")});
        EXPECT_EQ(*speakers(), Devices{a});
    });
}

TEST_F(ServicePreferredList, EmptyPushRemovesEverythingAndMissingListIsIgnored) {
    run([&] {
        auto a = device({"a"}), b = device({"b"});
        push(SPEAKER, {a, b});
        auto observer = observeService(service);
        service->setPreferredDeviceList(SPEAKER, nullptr, END);
        EXPECT_EQ(*speakers(), (Devices{a, b}));
        push(SPEAKER, {});
        EXPECT_TRUE(speakers()->empty());
        ASSERT_EQ(observer->log.lists.size(), 1u);
        EXPECT_EQ(*observer->log.lists[0].second, (Devices{a, b}));
        EXPECT_EQ(service->getPreferredDeviceList(static_cast<Type>(7)), speakers());
    });
}

TEST_F(ServicePreferredList, UpdateCopiesChangedPropertiesInOrderButNeverTheSelection) {
    run([&] {
        auto a = device({"a", "USB\\VID_0B0E&PID_0348"}), b = device({"b"});
        push(SPEAKER, {a, b});
        auto onA = observeDevice(a), onB = observeDevice(b);
        auto onService = observeService(service);
        service->updatePreferredDevice(SPEAKER, snapshotOf(factory, a, [](PreferredMediaDeviceImpl& r) {
            r.name = "a2", r.vendor = "Other", r.hardwareId = "usb\\vid_0b0e&pid_0348", r.selectionId = "sel2";
            r.isPlugged = false, r.volume = 80, r.isPeakInitialised = true, r.deviceInterface = "if2";
            r.friendlyName = "f2", r.instanceIdentifier = "i2", r.type = RINGER, r.isSelectedIn = true;
        }));
        EXPECT_EQ(onA->log.calls, (Strings{"Name", "Vendor", "SelectionId", "IsPluggedIn", "DeviceVolume",
                                           "IsPeakInitialised", "DeviceInterface", "FriendlyName", "Type"}));
        EXPECT_EQ(a->getInstanceId(), L"i2") << "set without a notification";
        EXPECT_EQ(a->getHardwareId(), L"USB\\VID_0B0E&PID_0348") << "letter case alone is no change";
        EXPECT_FALSE(a->getIsSelected());
        EXPECT_EQ(a->getDeviceVolume(), 80);
        EXPECT_TRUE(onB->log.calls.empty());
        EXPECT_TRUE(onService->log.calls.empty()) << "no list notification";
        EXPECT_EQ(*speakers(), (Devices{a, b}));
    });
}

TEST_F(ServicePreferredList, UpdateReachesEveryMatchAndRefreshesTheCurrentDevice) {
    run([&] {
        auto a = device({"a", "", SPEAKER, true, true, 40});
        push(SPEAKER, {a, renamed(a, "a-again")});
        auto onHeld = observeDevice(service->getCurrentSpeaker());
        service->updatePreferredDevice(SPEAKER, snapshotOf(factory, a, [](PreferredMediaDeviceImpl& r) {
            r.name = "a", r.volume = 90;
        }));
        EXPECT_EQ(namesOf(speakers()), (Strings{"a", "a"}));
        for (const auto& element : *speakers()) EXPECT_EQ(element->getDeviceVolume(), 90);
        EXPECT_EQ(onHeld->log.calls, (Strings{"DeviceVolume", "Name"})) << "the held object changes once";
        EXPECT_EQ(service->getCurrentSpeaker()->getDeviceVolume(), 90);
    });
}

TEST_F(ServicePreferredList, PluggedInPositionCountsOnlyPluggedDevicesBeforeTheMatch) {
    run([&] {
        auto u1 = device({"u1", "", SPEAKER, false}), p1 = device({"p1"}), u2 = device({"u2", "", SPEAKER, false}),
             p2 = device({"p2"});
        push(SPEAKER, {u1, p1, u2, p2});
        auto position = [&](const std::shared_ptr<MediaDevice>& d) {
            return service->getPluggedInPositionInPreferredDeviceList(SPEAKER, d);
        };
        EXPECT_EQ(position(u1), 0) << "the first device is 0 whatever its plug state";
        EXPECT_EQ(position(snapshotOf(factory, p1)), 0) << "matched by identifier";
        EXPECT_EQ(position(u2), 1);
        EXPECT_EQ(position(p2), 1);
        EXPECT_EQ(position(device({"unlisted"})), -1);
        EXPECT_EQ(service->getPluggedInPositionInPreferredDeviceList(MICROPHONE, p1), -1);
    });
}

using ServiceCurrentDevice = ServicePreferredList;

TEST_F(ServiceCurrentDevice, HeldObjectIsUpdatedInPlaceAndAnnouncedOnlyForANewHardwareId) {
    features->speakerVolumes = {{"a", 33}, {"b", 33}};
    run([&] {
        auto a = device({"a", "USB\\VID_1111&PID_2222", SPEAKER, true, false, 40});
        auto b = device({"b", "usb\\vid_1111&pid_2222", SPEAKER, true, false, 40});
        push(SPEAKER, {a, b});
        auto held = service->getCurrentSpeaker();
        auto onHeld = observeDevice(held), onA = observeDevice(a), onB = observeDevice(b);
        auto onService = observeService(service);
        auto check = [&](Strings aCalls, Strings bCalls, Strings heldCalls, Strings serviceCalls) {
            EXPECT_EQ(onA->log.calls, aCalls);
            EXPECT_EQ(onB->log.calls, bCalls);
            EXPECT_EQ(onHeld->log.calls, heldCalls);
            EXPECT_EQ(onService->log.calls, serviceCalls);
            EXPECT_EQ(service->getCurrentSpeaker(), held) << "never replaced";
            for (auto* log : {&onA->log, &onB->log, &onHeld->log, &onService->log}) log->calls.clear();
        };
        const Strings allChanged{"IsSelected", "IsPluggedIn", "DeviceVolume", "Name",         "Vendor",
                                 "SelectionId", "HardwareId", "FriendlyName", "DeviceInterface"};

        service->setDeviceSelected(SPEAKER, a);
        check({"IsSelected"}, {}, allChanged, {"CurrentSpeakerDeviceVolume", "CurrentSpeaker"});
        EXPECT_EQ(service->getCurrentOutputDevice(), a);
        EXPECT_EQ(service->getCurrentSpeakerDeviceVolume(), 33);

        service->setDeviceSelected(SPEAKER, a);
        check({}, {}, {}, {});

        service->setDeviceSelected(SPEAKER, b);
        check({"IsSelected"}, {"IsSelected"}, {"Name", "SelectionId", "FriendlyName", "DeviceInterface"}, {});
        EXPECT_EQ(held->getHardwareId(), L"USB\\VID_1111&PID_2222");
        EXPECT_EQ(held->getName(), L"b");

        service->setDeviceSelected(SPEAKER, nullptr);
        check({}, {"IsSelected"}, allChanged, {"CurrentSpeakerDeviceVolume", "CurrentSpeaker"});
        EXPECT_EQ(service->getCurrentOutputDevice(), nullptr);
        EXPECT_EQ(held->getName(), L"");
    });
}

TEST_F(ServiceCurrentDevice, EachTypeAnnouncesItsOwnCurrentDevice) {
    run([&] {
        for (auto [type, property] :
             {std::pair{MICROPHONE, "CurrentMicrophone"}, {RINGER, "CurrentRinger"}, {CAMERA, "CurrentVideo"}}) {
            auto chosen = device({"dev", "HW", type});
            push(type, {chosen});
            auto observer = observeService(service);
            service->setDeviceSelected(type, chosen);
            EXPECT_EQ(observer->log.calls, Strings{property});
            EXPECT_EQ(service->getCurrentDevice(type), chosen);
        }
        EXPECT_EQ(service->getCurrentMicrophone()->getType(), MICROPHONE);
        EXPECT_EQ(service->getCurrentRinger()->getType(), RINGER);
        EXPECT_EQ(service->getCurrentVideo()->getType(), CAMERA);
    });
}

class ServiceReorderThroughTheModule : public ModuleTestFixture {
protected:
    void TearDown() override { EXPECT_EQ(UpdateAccess::violationCount(), 0u); }
};

TEST_F(ServiceReorderThroughTheModule, ClientReorderComesBackAsTheSameObjectsInTheNewOrder) {
    setUpStarted();
    Devices before;
    std::shared_ptr<RecordingMediaDeviceServiceObserver> observer;
    onDispatcher([&] {
        before = *service->getPreferredDeviceList(SPEAKER);
        observer = observeService(service);
        service->modifyPreferredDeviceList(SPEAKER, listOf(Devices(before.rbegin(), before.rend())), listOf({}));
    });
    drain();
    onDispatcher([&] {
        ASSERT_EQ(before.size(), 2u);
        EXPECT_EQ(*service->getPreferredDeviceList(SPEAKER), (Devices{before[1], before[0]}));
        ASSERT_EQ(observer->log.lists.size(), 1u);
        EXPECT_TRUE(observer->log.lists[0].first->empty());
        EXPECT_TRUE(observer->log.lists[0].second->empty());
        before.clear();
    });
}

}  // namespace
}  // namespace olvar::test
