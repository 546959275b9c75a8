#include "featuresets/adapters/mediaDevice/accessories/AccessoryHardwareId.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "featuresets/adapters/mediaDevice/accessories/AccessoryHardwareIdTables.h"

using namespace OlvarUnified::AccessoryDeviceTypeEnum;
using namespace OlvarUnified::AccessoryHardwareId;

namespace olvar::test {
namespace {

struct ExpectedListing {
    AccessoryDeviceType type;
    std::size_t size;
    const wchar_t* first;
    const wchar_t* last;
};

TEST(AccessoryHardwareIdTables, HoldTheListedCountsAndOrder) {
    EXPECT_EQ(typeByIdSourceEntryCount(), 212u);
    EXPECT_EQ(typeByIdTable().size(), 199u);

    const ExpectedListing listings[] = {
        {ACCESSORY_CLASS_3, 19, L"VID_1395&PID_0042", L"VID_047F&PID_C02F"},
        {ACCESSORY_CLASS_2, 8, L"VID_0B0E&PID_101B", L"VID_047F&PID_AE02"},
        {ACCESSORY_CLASS_1, 184, L"VID_1395&PID_002D", L"VID_047F&PID_02FF"},
    };
    for (const auto& expected : listings) {
        const auto ids = getHardwareIdByAccessory(expected.type);
        ASSERT_EQ(ids.size(), expected.size) << "class " << expected.type;
        EXPECT_EQ(ids.front(), expected.first);
        EXPECT_EQ(ids.back(), expected.last);
    }
    const auto class1 = getHardwareIdByAccessory(ACCESSORY_CLASS_1);
    EXPECT_EQ(std::set<std::wstring>(class1.begin(), class1.end()).size(), 172u);
    EXPECT_EQ(class1[1], L"VID_1395&PID_740a");
}

TEST(AccessoryHardwareIdTables, ListingAndClassificationAgreeExceptForProduct1061) {
    std::set<std::wstring> listed;
    for (auto type : {ACCESSORY_CLASS_1, ACCESSORY_CLASS_2, ACCESSORY_CLASS_3}) {
        for (const auto& id : getHardwareIdByAccessory(type)) {
            listed.insert(id);
            const auto expected = id == L"VID_0B0E&PID_1061" ? ACCESSORY_CLASS_3 : type;
            EXPECT_EQ(typeByIdTable().at(id), expected) << std::string(id.begin(), id.end());
        }
    }
    std::set<std::wstring> keys;
    for (const auto& [key, type] : typeByIdTable()) {
        keys.insert(key);
        EXPECT_EQ(key.size(), 17u);
        EXPECT_EQ(key.substr(0, 4), L"VID_");
        EXPECT_EQ(key.substr(8, 5), L"&PID_");
    }
    EXPECT_EQ(keys, listed);
}

TEST(AccessoryHardwareIdClassification, FindsKeysAnywhereInAnyCase) {
    EXPECT_EQ(getAccessoryByHardwareId(L"USB\\VID_0B0E&PID_0410&MI_00\\7&1A2B"), ACCESSORY_CLASS_3);
    EXPECT_EQ(getAccessoryByHardwareId(L"{0.0.1.00000000}.usb\\vid_0b0e&pid_0410&mi_03"), ACCESSORY_CLASS_3);
    EXPECT_EQ(getAccessoryByHardwareId(L"VID_0B0E&PID_0410"), ACCESSORY_CLASS_3);
    EXPECT_EQ(getAccessoryByHardwareId(L"usb\\VID_1395&PID_740A&MI_00"), ACCESSORY_CLASS_1);
    EXPECT_EQ(getAccessoryByHardwareId(L"usb\\vid_1395&pid_740a"), ACCESSORY_CLASS_1);
    EXPECT_EQ(getAccessoryByHardwareId(L"USB\\VID_0B0E&PID_1061"), ACCESSORY_CLASS_3);
    EXPECT_EQ(getAccessoryByHardwareId(L"USB\\VID_047F&PID_AE11"), ACCESSORY_CLASS_2);
}

TEST(AccessoryHardwareIdClassification, UnknownOrPartialIdsAreNoAccessory) {
    EXPECT_EQ(getAccessoryByHardwareId(L""), NOT_AN_ACCESSORY);
    EXPECT_EQ(getAccessoryByHardwareId(L"USB\\VID_0B0E&PID_FFFF"), NOT_AN_ACCESSORY);
    EXPECT_EQ(getAccessoryByHardwareId(L"USB\\VID_0B0E&PID_041"), NOT_AN_ACCESSORY);
    EXPECT_EQ(getAccessoryByHardwareId(L"USB\\VID_0B0E PID_0410"), NOT_AN_ACCESSORY);
}

TEST(AccessoryHardwareIdClassification, FirstKeyInKeyOrderWinsOverPositionInTheId) {
    // "VID_047F..." sorts before "VID_0B0E...", although it comes second in the id.
    EXPECT_EQ(getAccessoryByHardwareId(L"VID_0B0E&PID_0410\\VID_047F&PID_AE11"), ACCESSORY_CLASS_2);
}

TEST(AccessoryHardwareIdListing, UnknownClassesListNothing) {
    EXPECT_TRUE(getHardwareIdByAccessory(NOT_AN_ACCESSORY).empty());
    EXPECT_TRUE(getHardwareIdByAccessory(static_cast<AccessoryDeviceType>(4)).empty());
    EXPECT_TRUE(getHardwareIdByAccessory(static_cast<AccessoryDeviceType>(-1)).empty());
}

TEST(AccessoryHardwareIdComparison, ContainmentEitherWayMatches) {
    EXPECT_TRUE(compareHardwareId(L"USB\\VID_0B0E&PID_0410&MI_00", L"PID_0410&MI"));
    EXPECT_TRUE(compareHardwareId(L"MI_00", L"USB\\VID_0B0E&PID_0410&MI_00"));
    EXPECT_TRUE(compareHardwareId(L"", L"USB\\VID_0B0E&PID_0410"));
    EXPECT_TRUE(compareHardwareId(L"USB\\VID_0B0E&PID_0410", L""));
    // Containment is exact; letter case only stops mattering once keys are compared.
    EXPECT_FALSE(compareHardwareId(L"abc", L"ABC"));
}

TEST(AccessoryHardwareIdComparison, SameVendorAndProductMatchAcrossInterfaces) {
    EXPECT_TRUE(compareHardwareId(L"USB\\VID_0B0E&PID_0410&MI_00\\7&1", L"usb\\vid_0b0e&pid_0410&mi_03\\8&2"));
    EXPECT_FALSE(compareHardwareId(L"USB\\VID_0B0E&PID_0410&MI_00", L"USB\\VID_0B0E&PID_0412&MI_00"));
    EXPECT_FALSE(compareHardwareId(L"USB\\VID_0B0E&MI_00", L"USB\\VID_0B0E&MI_03"));
    EXPECT_FALSE(compareHardwareId(L"HID\\ABC", L"HID\\XYZ"));
}

TEST(AccessoryHardwareIdComparison, ProductBeforeVendorKeysRunToTheEnd) {
    // The product ids differ but lie before "VID"; the keys are "VID_0B0E&X" on both sides.
    EXPECT_TRUE(compareHardwareId(L"A PID_0001&VID_0B0E&X", L"B PID_0002&VID_0B0E&X"));
    EXPECT_FALSE(compareHardwareId(L"A PID_0001&VID_0B0E&X", L"B PID_0001&VID_0B0E&Y"));
}

TEST(AccessoryHardwareIdConcurrency, ReadersOnManyThreadsSeeTheSameTables) {
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> readers;
    for (std::size_t i = 0; i < mismatches.size(); ++i) {
        readers.emplace_back([&mismatches, i] {
            for (const auto& id : getHardwareIdByAccessory(ACCESSORY_CLASS_2)) {
                if (getAccessoryByHardwareId(L"usb\\" + id + L"&mi_00") != ACCESSORY_CLASS_2) ++mismatches[i];
                if (!compareHardwareId(id + L"&MI_00", id + L"&MI_03")) ++mismatches[i];
            }
        });
    }
    for (auto& reader : readers) reader.join();
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace olvar::test
