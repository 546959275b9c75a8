// The description of the device types: one rule for values outside the four types, and the
// orders that decide notification order and the file's layout name each type exactly once.
#include "module/DeviceTypeTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>

#include "ModuleTestNames.h"

namespace olvar::test {
namespace {

using Type = MediaDeviceTypeEnum::MediaDeviceType;

template <class Order>
std::set<Type> typesOf(const Order& order) {
    return {order.begin(), order.end()};
}

TEST(DeviceTypeTable, EachTypeHasItsOwnRowAndSlot) {
    std::set<std::size_t> slots;
    for (Type type : {kSpeaker, kRinger, kMicrophone, kCamera}) {
        const DeviceTypeInfo* row = DeviceTypeTable::find(type);
        ASSERT_NE(row, nullptr) << type;
        EXPECT_EQ(row->type, type);
        EXPECT_EQ(&DeviceTypeTable::listOwner(type), row);
        slots.insert(row->listSlot);
    }
    EXPECT_EQ(slots, (std::set<std::size_t>{0, 1, 2, 3}));
    ASSERT_EQ(DeviceTypeTable::all().size(), 4u);
}

TEST(DeviceTypeTable, ValuesOutsideTheTypesHaveNoRowButTheSpeakersList) {
    for (int value : {-1, 4, 7, 42, INT_MAX, INT_MIN}) {
        const auto type = static_cast<Type>(value);
        SCOPED_TRACE(value);
        EXPECT_EQ(DeviceTypeTable::find(type), nullptr);
        EXPECT_EQ(DeviceTypeTable::listOwner(type).type, kSpeaker);
        EXPECT_EQ(DeviceTypeTable::listSlot(type), DeviceTypeTable::listSlot(kSpeaker));
    }
}

TEST(DeviceTypeTable, FullOrdersNameEveryTypeOnceAndAccessoriesLeaveTheRingerOut) {
    const std::set<Type> every{kSpeaker, kRinger, kMicrophone, kCamera};
    EXPECT_EQ(typesOf(DeviceTypeTable::kStartOrder), every);
    EXPECT_EQ(typesOf(DeviceTypeTable::kFileOrder), every);
    EXPECT_EQ(typesOf(DeviceTypeTable::kAccessoryOrder), (std::set<Type>{kSpeaker, kMicrophone, kCamera}));
    // The file's groups: speakers, microphones, cameras, ringers; files written before keep reading alike.
    EXPECT_EQ(DeviceTypeTable::kFileOrder, (std::array<Type, 4>{kSpeaker, kMicrophone, kCamera, kRinger}));
}

TEST(DeviceTypeTable, APlaybackDeviceServesSpeakerAndRingerAndEveryTypeHasOneSource) {
    EXPECT_EQ(DeviceTypeTable::servedBy(olvar::velk::DEVICE_KIND_PLAYBACK), (std::vector<Type>{kSpeaker, kRinger}));
    EXPECT_EQ(DeviceTypeTable::servedBy(olvar::velk::DEVICE_KIND_RECORDING), (std::vector<Type>{kMicrophone}));
    EXPECT_EQ(DeviceTypeTable::servedBy(olvar::velk::DEVICE_KIND_CAPTURE), (std::vector<Type>{kCamera}));
}

TEST(DeviceTypeTable, OnlyTheRingerIsLeftOutOfTheHardwareIdSearch) {
    std::vector<Type> searched;
    for (const auto& row : DeviceTypeTable::all())
        if (row.searchedByHardwareId) searched.push_back(row.type);
    EXPECT_EQ(searched, (std::vector<Type>{kSpeaker, kMicrophone, kCamera})) << "in this order: the first match wins";
}

TEST(DeviceTypeTable, RowsDistinguishTheirFileWordsAndAccessoryKinds) {
    std::set<std::string_view> words;
    std::set<int> kinds;
    for (const auto& row : DeviceTypeTable::all()) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_FALSE(row.fileWord.empty());
        words.insert(row.fileWord);
        kinds.insert(row.accessoryKind);
        EXPECT_EQ(row.volume == VolumeKind::None, row.type == kCamera) << "only the camera has no volume";
    }
    EXPECT_EQ(words.size(), 4u);
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3}));
}

}  // namespace
}  // namespace olvar::test
