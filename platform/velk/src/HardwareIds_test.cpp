#include "velk/HardwareIds.h"

#include <gtest/gtest.h>

#include "velk/Scenario.h"
#include "velk/SimulatedBackend.h"

#include <string>
#include <vector>

using namespace olvar::velk;

namespace olvar::test {
namespace {

// How the module compares ids: one occurring inside the other (letter case counts there),
// or the same "VID...PID" product key.
bool occursInside(const std::string& a, const std::string& b) {
    return a.find(b) != std::string::npos || b.find(a) != std::string::npos;
}
bool hasProductKey(const std::string& id) {
    std::string upper = id;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper.find("VID") != std::string::npos && upper.find("PID") != std::string::npos;
}

TEST(HardwareIds, BusFormsAndTheirMalformedInput) {
    EXPECT_EQ(usbHardwareId("b0e", "0X348"), "USB\\VID_0B0E&PID_0348");
    EXPECT_EQ(usbHardwareId("0b0e", "0348", 0, "7&1"), "USB\\VID_0B0E&PID_0348&MI_00\\7&1");
    EXPECT_EQ(usbHardwareId("0b0e", "0348", 255), "USB\\VID_0B0E&PID_0348&MI_FF");
    EXPECT_EQ(usbHardwareId("0b0e", "0348", 256), "USB\\VID_0B0E&PID_0348");
    for (const auto& [vendor, product] : std::vector<std::pair<std::string, std::string>>{
             {"", "0348"}, {"0b0e", ""}, {"0x", "1"}, {"12345", "1"}, {"0b0e", "03 8"}, {"-1", "1"}})
        EXPECT_EQ(usbHardwareId(vendor, product), "") << vendor << " " << product;

    EXPECT_EQ(pciHardwareId("0x8086", "0x9a19"), "PCI\\VEN_8086&DEV_9A19");
    EXPECT_EQ(pciHardwareId("8086", "9a19", "17aa", "22e4"), "PCI\\VEN_8086&DEV_9A19&SUBSYS_22E417AA");
    EXPECT_EQ(pciHardwareId("8086", "9a19", "17aa", ""), "PCI\\VEN_8086&DEV_9A19");
    EXPECT_EQ(pciHardwareId("8086", "g"), "");

    EXPECT_EQ(bluetoothHardwareId("00:1b:66:AA:bb:0c"), "BT\\DEV_001B66AABB0C");
    EXPECT_EQ(bluetoothHardwareId("00_1B_66_AA_BB_0C"), "BT\\DEV_001B66AABB0C");
    for (const std::string bad : {"", "00:1b:66:aa:bb", "00:1b:66:aa:bb:0c:11", "00:1b:66:aa:bb:0", "0g:1b:66:aa:bb:0c",
                                  "001b:66:aa:bb:0c:"})
        EXPECT_EQ(bluetoothHardwareId(bad), "") << bad;

    EXPECT_EQ(usbInterfaceFromBusPath("pci-0000:00:14.0-usb-0:2:1.0"), 0);
    EXPECT_EQ(usbInterfaceFromBusPath("pci-0000:00:14.0-usb-0:2.4:1.12"), 12);
    for (const std::string none : {"", "pci-0000:00:1f.3", "pci-0000:00:14.0-usb-0:2", "pci-0000:00:14.0-usb-0:2:1.",
                                   "pci-0000:00:14.0-usb-0:2:1.x", "pci-0000:00:14.0-usb-0:2:1.999"})
        EXPECT_EQ(usbInterfaceFromBusPath(none), kNoUsbInterface) << none;
}

TEST(HardwareIds, NamedIdsNeverOccurInsideAnotherDevicesIdNorLookLikeAProduct) {
    const std::vector<std::string> names = {"ci",     "ci_speakers", "ci_speakers.monitor", "a\\b",       "a",
                                            "b",      "a&b",         "a%5Cb",               "rapid_video", "VID_0B0E&PID_0348",
                                            "vPiDvid", "",           "x\\SRV\\ci"};
    std::vector<std::string> ids;
    for (const auto& name : names) ids.push_back(namedHardwareId("SRV\\", name));
    ids.push_back(namedHardwareId("SIM\\", "ci"));
    ids.push_back(usbHardwareId("0b0e", "0348"));
    ids.push_back(usbHardwareId("0b0e", "0348", 0));
    ids.push_back(pciHardwareId("8086", "a170"));
    ids.push_back(bluetoothHardwareId("00:1b:66:aa:bb:cc"));

    EXPECT_EQ(namedHardwareId("SRV\\", "ci"), "SRV\\ci\\");
    EXPECT_EQ(namedHardwareId("SRV\\", "ci_speakers"), "SRV\\ci_speakers\\");
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_FALSE(ids[i].empty());
        const bool named = ids[i].rfind("SRV\\", 0) == 0 || ids[i].rfind("SIM\\", 0) == 0;
        if (named) {
            EXPECT_FALSE(hasProductKey(ids[i])) << ids[i];
            EXPECT_EQ(ids[i].find('&'), std::string::npos) << ids[i] << ": '&' would cut it like an interface";
        }
        for (std::size_t j = i + 1; j < ids.size(); ++j) {
            const bool sameUsbProduct = ids[i].rfind("USB", 0) == 0 && ids[j].rfind("USB", 0) == 0;
            if (!sameUsbProduct) {
                EXPECT_FALSE(occursInside(ids[i], ids[j])) << ids[i] << " and " << ids[j];
            }
        }
    }
}

// The simulated devices, the built-in scenario's and those a scenario file leaves without an
// id (plugged at start or later), each have one, and the same from run to run.
TEST(HardwareIds, EverySimulatedDeviceHasOne) {
    Scenario file;
    std::string error;
    ASSERT_TRUE(parseScenario("device playback sel=spk\ndevice recording sel=spk_mic\n", file, error)) << error;
    for (const Scenario& scenario : {builtInDefaultScenario(), file}) {
        SimulatedBackend backend;
        ASSERT_TRUE(backend.load(scenario));
        SimulatedDevice late;
        late.kind = DEVICE_KIND_CAPTURE;
        late.selectionId = "late-cam";
        ASSERT_TRUE(backend.plug(late));
        for (int kind : {DEVICE_KIND_PLAYBACK, DEVICE_KIND_RECORDING, DEVICE_KIND_CAPTURE})
            for (const auto& device : backend.devices(kind))
                EXPECT_FALSE(device->getHardwareId().empty()) << device->getSelectionId();
    }
    SimulatedBackend backend;
    ASSERT_TRUE(backend.load(file));
    ASSERT_EQ(backend.devices(DEVICE_KIND_PLAYBACK).size(), 1u);
    EXPECT_EQ(backend.devices(DEVICE_KIND_PLAYBACK).front()->getHardwareId(), "SIM\\spk\\");
}

}  // namespace
}  // namespace olvar::test
