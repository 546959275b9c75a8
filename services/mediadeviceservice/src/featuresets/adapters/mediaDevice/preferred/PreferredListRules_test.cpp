// The preferred-list rules on plain records: no threads, no host.
#include "featuresets/adapters/mediaDevice/preferred/PreferredListRules.h"

#include <gtest/gtest.h>

#include "ModuleTestNames.h"

using namespace OlvarUnified::PreferredListRules;

namespace olvar::test {
namespace {

using Ids = std::vector<std::string>;
constexpr auto kFront = MediaDevicePositionEnum::FRONT;
constexpr auto kEnd = MediaDevicePositionEnum::END;

DeviceInfoPtr present(const std::string& selectionId, const std::string& hardwareId, const std::string& name = {}) {
    return std::make_shared<DeviceInfo>(olvar::velk::DEVICE_KIND_PLAYBACK, name.empty() ? selectionId : name,
                                        selectionId, hardwareId, "Vendor");
}

// As read from the properties file: not plugged in.
PreferredMediaDevicePtr stored(const std::string& selectionId, const std::string& hardwareId, int volume = 30,
                               MediaDeviceTypeEnum::MediaDeviceType type = kSpeaker) {
    return std::make_shared<PreferredMediaDeviceImpl>(selectionId, hardwareId, selectionId, type, volume, "", "", "", "");
}

Ids idsOf(const Records& records) {
    Ids ids;
    for (const auto& record : records) ids.push_back(record->selectionId);
    return ids;
}

Ids pluggedIds(const Records& records) {
    Ids ids;
    for (const auto& record : records)
        if (record->isPlugged) ids.push_back(record->selectionId);
    return ids;
}

VolumeLookup volumeOf(int volume) {
    return [volume](const std::string&) { return volume; };
}

TEST(PreferredListRules, NewDeviceLeadsOnlyUnderPreferNewDevice) {
    for (auto position : {kFront, kEnd}) {
        Records list = {stored("A", "HW-A"), stored("B", "HW-B")};
        auto result = merge(list, {present("B", "HW-B"), present("N", "HW-N")}, kSpeaker, position, volumeOf(50), false);

        EXPECT_EQ(idsOf(result.added), Ids{"N"});
        EXPECT_EQ(idsOf(result.changed), Ids{"B"}) << "B was stored unplugged";
        EXPECT_EQ(pluggedIds(list), position == kFront ? (Ids{"N", "B"}) : (Ids{"B", "N"}));
        EXPECT_EQ(idsOf(list), position == kFront ? (Ids{"N", "A", "B"}) : (Ids{"A", "B", "N"}));
        const auto inUse = chooseDeviceInUse(list, "A");
        ASSERT_TRUE(inUse.record);
        EXPECT_EQ(inUse.record->selectionId, position == kFront ? "N" : "B");
        EXPECT_FALSE(inUse.alreadyInUse);
    }
}

TEST(PreferredListRules, SeveralNewDevicesAtTheFrontEndUpInReverseOrder) {
    Records list = {stored("A", "HW-A")};
    merge(list, {present("D", "HW-D"), present("E", "HW-E")}, kSpeaker, kFront, volumeOf(50), false);
    EXPECT_EQ(idsOf(list), (Ids{"E", "D", "A"}));
}

TEST(PreferredListRules, HardwareIdsGroupWithoutCaseWhileSelectionIdsMatchExactly) {
    Records list = {stored("sel-a", "usb\\vid_0001&pid_0002"), stored("SEL-A", "USB\\VID_0001&PID_0002")};
    auto result = merge(list, {present("SEL-A", "Usb\\Vid_0001&Pid_0002")}, kSpeaker, kFront, volumeOf(50), false);
    EXPECT_TRUE(result.added.empty()) << "one group, whatever the case of the hardware id";
    EXPECT_EQ(pluggedIds(list), Ids{"SEL-A"}) << "the exact selection id wins over the earlier record";

    Records lower = {stored("sel-a", "HW")};
    DeviceInfoList upper = {present("SEL-A", "HW")};
    std::vector<int> usedPreferred, usedAvailable;
    Records changed;
    EXPECT_FALSE(pairBySelectionId(lower, upper, usedPreferred, usedAvailable, kSpeaker, volumeOf(50), changed));
    EXPECT_TRUE(usedPreferred.empty());
    EXPECT_TRUE(changed.empty());
}

TEST(PreferredListRules, IdenticalHeadsetsKeepTheirRecordOrTakeAFreeOneOrAreNew) {
    Records list = {stored("old", "HS"), stored("second", "HS")};
    auto result = merge(list, {present("second", "HS"), present("third", "HS")}, kSpeaker, kEnd, volumeOf(50), false);
    EXPECT_TRUE(result.added.empty());
    EXPECT_EQ(idsOf(list), (Ids{"third", "second"})) << "the unmatched headset took the first unplugged record";
    EXPECT_EQ(pluggedIds(list), (Ids{"third", "second"}));

    auto more = merge(list, {present("second", "HS"), present("third", "HS"), present("fourth", "HS")}, kSpeaker, kEnd,
                      volumeOf(50), false);
    EXPECT_EQ(idsOf(more.added), Ids{"fourth"}) << "no record of that hardware id was left";
    EXPECT_TRUE(more.changed.empty()) << "records already describing their device are not republished";
}

TEST(PreferredListRules, OnlyAMicrophoneRecordTakesTheDeviceVolume) {
    auto speaker = stored("spk", "HW", 30, kSpeaker);
    auto microphone = stored("mic", "HW", 30, kMicrophone);
    EXPECT_TRUE(updateRecordFromDevice(*speaker, *present("spk", "HW"), kSpeaker, volumeOf(70)));
    EXPECT_TRUE(updateRecordFromDevice(*microphone, *present("mic", "HW"), kMicrophone, volumeOf(70)));
    EXPECT_EQ(speaker->volume, 30);
    EXPECT_EQ(microphone->volume, 70);
    EXPECT_FALSE(updateRecordFromDevice(*speaker, *present("spk", "hw"), kSpeaker, volumeOf(70)))
        << "plugged, same ids and name: nothing to change";
    EXPECT_TRUE(updateRecordFromDevice(*speaker, *present("spk", "HW", "Renamed"), kSpeaker, volumeOf(70)));
    EXPECT_EQ(speaker->name, "Renamed");
}

TEST(PreferredListRules, ARecordWhoseDeviceIsGoneIsMarkedUnpluggedOnlyWhenAsked) {
    Records list = {stored("headset", "HS"), stored("builtin", "PCI")};
    merge(list, {present("headset", "HS"), present("builtin", "PCI")}, kSpeaker, kEnd, volumeOf(50), false);
    ASSERT_EQ(pluggedIds(list), (Ids{"headset", "builtin"}));

    auto atStart = merge(list, {present("builtin", "PCI")}, kSpeaker, kEnd, volumeOf(50), false);
    EXPECT_EQ(pluggedIds(list), (Ids{"headset", "builtin"})) << "the start never clears a flag";
    EXPECT_TRUE(atStart.changed.empty());

    auto afterUnplug = merge(list, {present("builtin", "PCI")}, kSpeaker, kEnd, volumeOf(50), true);
    EXPECT_EQ(pluggedIds(list), Ids{"builtin"});
    EXPECT_EQ(idsOf(afterUnplug.changed), Ids{"headset"}) << "the record still present is not republished";

    auto afterReplug = merge(list, {present("headset", "HS"), present("builtin", "PCI")}, kSpeaker, kEnd, volumeOf(50),
                             true);
    EXPECT_EQ(pluggedIds(list), (Ids{"headset", "builtin"}));
    EXPECT_EQ(idsOf(afterReplug.changed), Ids{"headset"});
    EXPECT_TRUE(afterReplug.added.empty());
}

TEST(PreferredListRules, TheDeviceInUseIsTheFirstPluggedIn) {
    Records list = {stored("A", "HW-A"), stored("B", "HW-B")};
    EXPECT_FALSE(chooseDeviceInUse(list, "A").record) << "nothing plugged in";
    EXPECT_FALSE(chooseDeviceInUse({}, "").record);
    list[1]->isPlugged = true;
    auto inUse = chooseDeviceInUse(list, "B");
    ASSERT_TRUE(inUse.record);
    EXPECT_EQ(inUse.record, list[1]);
    EXPECT_TRUE(inUse.alreadyInUse);
}

}  // namespace
}  // namespace olvar::test
