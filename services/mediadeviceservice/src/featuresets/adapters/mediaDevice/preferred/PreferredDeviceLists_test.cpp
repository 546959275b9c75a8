// The owner of the preferred lists: what it hands out and what it takes in are never the
// records it stores, and readers on other threads never meet a change half made.
#include "featuresets/adapters/mediaDevice/preferred/PreferredDeviceLists.h"

#include <gtest/gtest.h>

#include <thread>

#include "ModuleTestNames.h"

namespace olvar::test {
namespace {

using Records = PreferredDeviceLists::Records;

PreferredMediaDevicePtr record(const std::string& selectionId, int volume = 30) {
    return std::make_shared<PreferredMediaDeviceImpl>(selectionId, "HW-" + selectionId, selectionId, kSpeaker, volume,
                                                      "", "", "", "");
}

PreferredMediaDeviceList listOf(std::initializer_list<PreferredMediaDevicePtr> records) {
    return std::make_shared<Records>(records);
}

std::vector<std::string> idsOf(const PreferredMediaDeviceList& list) {
    std::vector<std::string> ids;
    if (list)
        for (const auto& r : *list) ids.push_back(r->selectionId);
    return ids;
}

auto bySelectionId(const std::string& id) {
    return [id](const PreferredMediaDeviceImpl& r) { return r.selectionId == id; };
}

auto setVolume(int volume) {
    return [volume](PreferredMediaDeviceImpl& r) {
        r.volume = volume;
        return true;
    };
}

TEST(PreferredDeviceLists, NothingHandedOutOrTakenInIsSharedWithTheStoredList) {
    PreferredDeviceLists lists;
    auto mine = listOf({record("A", 10), record("B", 20)});
    const int idOfA = mine->at(0)->uniqueIdentifier;
    lists.replace(kSpeaker, mine);

    // The caller's records stay the caller's.
    mine->at(0)->volume = 99;
    mine->push_back(record("C"));
    auto snapshot = lists.snapshot(kSpeaker);
    EXPECT_EQ(idsOf(snapshot), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(snapshot->at(0)->volume, 10);
    EXPECT_EQ(snapshot->at(0)->uniqueIdentifier, idOfA) << "a copy is the same item";

    // Nor does a snapshot, or a record found or changed, reach back into the list.
    snapshot->at(0)->volume = 77;
    snapshot->clear();
    const auto found = lists.findRecord(kSpeaker, bySelectionId("B"));
    ASSERT_TRUE(found);
    found->volume = 66;
    const auto changed = lists.updateRecord(kSpeaker, idOfA, setVolume(40));
    ASSERT_TRUE(changed);
    changed->volume = 55;
    auto again = lists.snapshot(kSpeaker);
    ASSERT_EQ(idsOf(again), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(again->at(0)->volume, 40);
    EXPECT_EQ(again->at(1)->volume, 20);
    EXPECT_NE(again->at(0), lists.snapshot(kSpeaker)->at(0));
}

TEST(PreferredDeviceLists, TypesKeepListsOfTheirOwnAndUnknownTypesMeanTheSpeaker) {
    PreferredDeviceLists lists;
    lists.replace(kSpeaker, listOf({record("spk")}));
    lists.replace(kRinger, listOf({record("ring")}));
    lists.replace(kMicrophone, listOf({record("mic")}));
    EXPECT_FALSE(lists.hasList(kCamera));
    EXPECT_EQ(lists.snapshot(kCamera), nullptr);
    EXPECT_EQ(idsOf(lists.snapshot(kRinger)), (std::vector<std::string>{"ring"}));
    EXPECT_EQ(idsOf(lists.snapshot(kMicrophone)), (std::vector<std::string>{"mic"}));

    const auto unknown = static_cast<MediaDeviceTypeEnum::MediaDeviceType>(42);
    EXPECT_EQ(idsOf(lists.snapshot(unknown)), (std::vector<std::string>{"spk"}));
    EXPECT_EQ(&lists.mutex(unknown), &lists.mutex(kSpeaker));
    EXPECT_NE(&lists.mutex(kSpeaker), &lists.mutex(kRinger));
}

TEST(PreferredDeviceLists, MissingListsAndRecordsAreReportedNotInvented) {
    PreferredDeviceLists lists;
    bool called = false;
    EXPECT_FALSE(lists.apply(kSpeaker, [&](Records&) { called = true; }));
    EXPECT_FALSE(called);
    EXPECT_EQ(lists.updateRecord(kSpeaker, 0, setVolume(1)), nullptr);

    lists.replace(kSpeaker, listOf({record("A"), nullptr}));
    EXPECT_EQ(lists.snapshot(kSpeaker)->size(), 1u) << "an empty record is not stored";
    EXPECT_EQ(lists.findRecord(kSpeaker, bySelectionId("Z")), nullptr);
    EXPECT_EQ(lists.updateFirst(kSpeaker, bySelectionId("A"), [](PreferredMediaDeviceImpl&) { return false; }), nullptr)
        << "an unchanged record is not reported as changed";

    lists.replace(kSpeaker, nullptr);
    EXPECT_FALSE(lists.hasList(kSpeaker));
}

TEST(PreferredDeviceLists, ChangesUnderApplyMayReadTheSameTypeAgain) {
    PreferredDeviceLists lists;
    lists.replace(kMicrophone, listOf({record("A", 10), record("B", 20)}));
    // As the volume look-ups of a merge do: the lock is re-entrant for its owner.
    EXPECT_TRUE(lists.apply(kMicrophone, [&](Records& records) {
        for (auto& r : records) r->volume = lists.findRecord(kMicrophone, bySelectionId("B"))->volume + 1;
        records.push_back(record("C"));
    }));
    auto snapshot = lists.snapshot(kMicrophone);
    EXPECT_EQ(idsOf(snapshot), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(snapshot->at(0)->volume, 21);
    EXPECT_EQ(snapshot->at(1)->volume, 21);
}

// Run under ThreadSanitizer this reports any access to a stored record outside its lock.
TEST(PreferredDeviceLists, ReadersOnOtherThreadsSeeWholeVersionsOnly) {
    PreferredDeviceLists lists;
    lists.replace(kSpeaker, listOf({record("A", 0), record("B", 0)}));
    constexpr int kChanges = 2000;
    std::thread writer([&] {
        for (int i = 1; i <= kChanges; ++i) {
            lists.apply(kSpeaker, [i](Records& records) {
                for (auto& r : records) r->volume = i;
                std::swap(records.front(), records.back());
            });
            if (i % 100 == 0) lists.replace(kSpeaker, lists.snapshot(kSpeaker));
        }
    });
    int lastSeen = 0;
    while (lastSeen < kChanges) {
        const auto snapshot = lists.snapshot(kSpeaker);
        ASSERT_EQ(snapshot->size(), 2u);
        ASSERT_EQ(snapshot->at(0)->volume, snapshot->at(1)->volume) << "a change seen half made";
        ASSERT_GE(snapshot->at(0)->volume, lastSeen);
        lastSeen = snapshot->at(0)->volume;
        std::this_thread::yield();
    }
    writer.join();
}

}  // namespace
}  // namespace olvar::test
