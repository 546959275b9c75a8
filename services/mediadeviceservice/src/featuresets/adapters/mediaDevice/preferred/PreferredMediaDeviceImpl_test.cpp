#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "ModuleTestNames.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "objects/mediaDevice/MediaDeviceImpl.h"
#include "velk/DeviceInfo.h"

namespace olvar::test {
namespace {

PreferredMediaDeviceImpl storedRecord() {
    return PreferredMediaDeviceImpl("Name", "HW", "Sel", MediaDeviceTypeEnum::SPEAKER, 30, "If", "Friendly", "Inst",
                                    "Vendor");
}

TEST(PreferredMediaDeviceImpl, StoredAndReportedRecordsTakeConsecutiveIdentifiers) {
    PreferredMediaDeviceImpl first = storedRecord();
    PreferredMediaDeviceImpl second(std::make_shared<olvar::velk::DeviceInfo>(olvar::velk::DEVICE_KIND_PLAYBACK, "n",
                                                                              "s", "h", "v"),
                                    MediaDeviceTypeEnum::SPEAKER, 10, false, true);
    EXPECT_EQ(second.uniqueIdentifier, first.uniqueIdentifier + 1);
    EXPECT_GE(first.uniqueIdentifier, 0);
    EXPECT_FALSE(first.isPlugged);
    EXPECT_FALSE(first.isSelectedIn);
    EXPECT_FALSE(first.isPeakInitialised);
    EXPECT_EQ(first.type, MediaDeviceTypeEnum::SPEAKER);
    EXPECT_EQ(first.volume, 30);
}

TEST(PreferredMediaDeviceImpl, ReportedDeviceFillsExtendedFieldsOnlyWhenKnown) {
    auto plain = std::make_shared<olvar::velk::DeviceInfo>(olvar::velk::DEVICE_KIND_RECORDING, "Mic", "sel", "hw", "ven");
    PreferredMediaDeviceImpl fromPlain(plain, MediaDeviceTypeEnum::MICROPHONE, 5, true, false);
    EXPECT_EQ(fromPlain.name, "Mic");
    EXPECT_EQ(fromPlain.selectionId, "sel");
    EXPECT_EQ(fromPlain.hardwareId, "hw");
    EXPECT_EQ(fromPlain.vendor, "ven");
    EXPECT_EQ(fromPlain.deviceInterface, "");
    EXPECT_TRUE(fromPlain.isSelectedIn);
    EXPECT_FALSE(fromPlain.isPlugged);

    std::shared_ptr<olvar::velk::DeviceInfo> extended = std::make_shared<olvar::velk::ExtendedDeviceInfo>(
        olvar::velk::DEVICE_KIND_RECORDING, "Mic", "sel", "hw", "ven", "iface", "friendly", "inst");
    PreferredMediaDeviceImpl fromExtended(extended, MediaDeviceTypeEnum::MICROPHONE, 5, false, true);
    EXPECT_EQ(fromExtended.deviceInterface, "iface");
    EXPECT_EQ(fromExtended.friendlyName, "friendly");
    EXPECT_EQ(fromExtended.instanceIdentifier, "inst");
    EXPECT_FALSE(fromExtended.isPeakInitialised);
}

TEST(PreferredMediaDeviceImpl, RecordOfAPublishedDeviceKeepsItsIdentityAndTakesTheGivenType) {
    auto factory = std::make_shared<UnifiedFactory>();
    PreferredMediaDeviceImpl source = storedRecord();
    source.isPlugged = true;
    source.isPeakInitialised = true;
    auto device = std::make_shared<MediaDeviceImpl>(factory);  // uncommitted: usable here
    device->setName(L"Name \u00e9");
    device->setHardwareId(L"HW");
    device->setSelectionId(L"Sel");
    device->setDeviceVolume(77);
    device->setIsPluggedIn(true);
    device->setIsSelected(true);
    device->setIsPeakInitialised(true);
    device->setDeviceInterface(L"If");
    device->setFriendlyName(L"Friendly");
    device->setInstanceId(L"Inst");
    device->setVendor(L"Vendor");
    device->setType(MediaDeviceTypeEnum::SPEAKER);

    PreferredMediaDeviceImpl copy(std::shared_ptr<MediaDevice>(device), MediaDeviceTypeEnum::CAMERA);
    PreferredMediaDeviceImpl next = storedRecord();
    EXPECT_EQ(copy.uniqueIdentifier, -1) << "the service's own device";
    EXPECT_EQ(next.uniqueIdentifier, source.uniqueIdentifier + 1) << "copying leaves the counter alone";
    EXPECT_EQ(copy.type, MediaDeviceTypeEnum::CAMERA);
    EXPECT_EQ(copy.name, "Name \xC3\xA9");
    EXPECT_EQ(copy.volume, 77);
    EXPECT_TRUE(copy.isPlugged);
    EXPECT_TRUE(copy.isSelectedIn);
    EXPECT_TRUE(copy.isPeakInitialised);
    EXPECT_EQ(copy.instanceIdentifier, "Inst");
    EXPECT_EQ(copy.vendor, "Vendor");
}

TEST(PreferredMediaDeviceImpl, RoundTripThroughAPublishedDeviceKeepsTheIdentifier) {
    auto factory = std::make_shared<UnifiedFactory>();
    PreferredMediaDeviceImpl original = storedRecord();
    auto published = std::make_shared<MediaDeviceImpl>(factory, original);
    std::shared_ptr<PreferredMediaDeviceImpl> back;
    factory->getServicesDispatcher()->enqueueBlock(std::make_shared<FunctionTask>(
        [&] { back = std::make_shared<PreferredMediaDeviceImpl>(published, MediaDeviceTypeEnum::SPEAKER); },
        "PreferredMediaDeviceImpl"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->uniqueIdentifier, original.uniqueIdentifier);
    EXPECT_EQ(back->toString(), original.toString());
}

TEST(PreferredMediaDeviceImpl, MissingDeviceGivesAnEmptyRecord) {
    PreferredMediaDeviceImpl fromNothing(std::shared_ptr<MediaDevice>(), MediaDeviceTypeEnum::RINGER);
    EXPECT_EQ(fromNothing.uniqueIdentifier, -1);
    EXPECT_EQ(fromNothing.type, MediaDeviceTypeEnum::RINGER);
    EXPECT_EQ(fromNothing.name, "");
}

TEST(PreferredMediaDeviceImpl, TextRendering) {
    PreferredMediaDeviceImpl record = storedRecord();
    record.isPlugged = true;
    record.uniqueIdentifier = 4;
    EXPECT_EQ(record.toString(),
              "\nName: Name\nHardwareId: HW\nSelectionId: Sel\nisPlugged: true\nisSelectedIn: false\nvolume: 30"
              "\nuniqueIdentifier: 4\ndeviceInterface: If\nfriendlyName: Friendly\ninstanceIdentifier: Inst"
              "\nvendor: Vendor");
}

TEST(PreferredMediaDeviceImpl, RecordsMadeOnSeveralThreadsGetDistinctIdentifiers) {
    constexpr int threads = 4;
    constexpr int perThread = 200;
    std::vector<std::vector<std::int32_t>> identifiers(threads);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            for (int i = 0; i < perThread; ++i) identifiers[t].push_back(storedRecord().uniqueIdentifier);
        });
    }
    for (auto& worker : workers) worker.join();
    std::set<std::int32_t> distinct;
    for (const auto& ids : identifiers) distinct.insert(ids.begin(), ids.end());
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(threads * perThread));
}

}  // namespace
}  // namespace olvar::test
