#include <gtest/gtest.h>

#include <memory>

#include "PulseDeviceProperties.h"
#include "PulseDeviceTracker.h"
#include "PulseSampleLayout.h"
#include "velk/PcmFormat.h"

using namespace olvar::velk;

namespace olvar::test {
namespace {

using Properties = std::unique_ptr<pa_proplist, decltype(&pa_proplist_free)>;

Properties properties(std::initializer_list<std::pair<const char*, const char*>> entries) {
    Properties list(pa_proplist_new(), &pa_proplist_free);
    for (const auto& [key, value] : entries) pa_proplist_sets(list.get(), key, value);
    return list;
}

TEST(PulseHardwareId, UsbIdsBecomeTheAccessoryTablesForm) {
    EXPECT_EQ(pulseHardwareId("a", properties({{"device.vendor.id", "0b0e"}, {"device.product.id", "300"}}).get()),
              "USB\\VID_0B0E&PID_0300");
    EXPECT_EQ(pulseHardwareId("a", properties({{"device.vendor.id", "0x047f"}, {"device.product.id", "c02f"},
                                               {"device.serial", "Maker_Headset_1234"}})
                                       .get()),
              "USB\\VID_047F&PID_C02F\\Maker_Headset_1234");
    // The interface comes from the end of the bus path, in either server's spelling of the key.
    EXPECT_EQ(pulseHardwareId("a", properties({{"device.bus", "usb"}, {"device.vendor.id", "0b0e"},
                                               {"device.product.id", "0348"}, {"device.serial", "S1"},
                                               {"device.bus_path", "pci-0000:00:14.0-usb-0:2:1.0"}})
                                       .get()),
              "USB\\VID_0B0E&PID_0348&MI_00\\S1");
    EXPECT_EQ(pulseHardwareId("a", properties({{"device.vendor.id", "0b0e"}, {"device.product.id", "0348"},
                                               {"device.bus-path", "pci-0000:00:14.0-usb-0:2.4:1.11"}})
                                       .get()),
              "USB\\VID_0B0E&PID_0348&MI_0B");
}

TEST(PulseHardwareId, OtherBusesHaveTheirOwnForms) {
    EXPECT_EQ(pulseHardwareId("alsa_output.pci-0000_00_1f.3.analog-stereo",
                              properties({{"device.bus", "pci"}, {"device.vendor.id", "8086"},
                                          {"device.product.id", "a170"}})
                                  .get()),
              "PCI\\VEN_8086&DEV_A170");
    EXPECT_EQ(pulseHardwareId("bluez_output.00_1B_66_AA_BB_CC.1",
                              properties({{"device.bus", "bluetooth"}, {"api.bluez5.address", "00:1B:66:aa:bb:cc"}}).get()),
              "BT\\DEV_001B66AABBCC");
    EXPECT_EQ(pulseHardwareId("bluez_sink.00_1B_66_AA_BB_CC.a2dp_sink",
                              properties({{"device.bus", "bluetooth"}, {"device.string", "00:1b:66:aa:bb:cc"}}).get()),
              "BT\\DEV_001B66AABBCC")
        << "a headset's sink and source share the id whichever server names them";
}

TEST(PulseHardwareId, DevicesWithoutValidBusIdsAreKnownByTheirServerName) {
    EXPECT_EQ(pulseHardwareId("ci_speakers", nullptr), "SRV\\ci_speakers\\");
    EXPECT_EQ(pulseHardwareId("ci_speakers", properties({}).get()), "SRV\\ci_speakers\\");
    using Entries = std::initializer_list<std::pair<const char*, const char*>>;
    for (Entries invalid : {Entries{{"device.vendor.id", "0b0e"}},
                            Entries{{"device.vendor.id", "0b0e"}, {"device.product.id", "12345"}},
                            Entries{{"device.vendor.id", "xyz"}, {"device.product.id", "0300"}},
                            Entries{{"device.vendor.id", "0x"}, {"device.product.id", "0300"}},
                            Entries{{"device.bus", "pci"}, {"device.vendor.id", "0x"}},
                            Entries{{"device.bus", "bluetooth"}, {"device.string", "not-an-address"}},
                            Entries{{"device.bus", "isa"}, {"device.vendor.id", "0b0e"}, {"device.product.id", "1"}}})
        EXPECT_EQ(pulseHardwareId("tunnel.remote", properties(invalid).get()), "SRV\\tunnel.remote\\");
}

TEST(PulseDeviceInfo, NameIsTheDescriptionAndSelectionIdTheServerName) {
    auto props = properties({{"device.vendor.id", "0b0e"}, {"device.product.id", "0300"},
                             {"device.vendor.name", "Maker"}, {"device.bus", "usb"}});
    const DeviceInfoPtr sink = makePulseDeviceInfo(DEVICE_KIND_PLAYBACK, "alsa_output.usb-1", "USB Headset", props.get());
    EXPECT_EQ(sink->getKind(), DEVICE_KIND_PLAYBACK);
    EXPECT_EQ(sink->getName(), "USB Headset");
    EXPECT_EQ(sink->getSelectionId(), "alsa_output.usb-1");
    EXPECT_EQ(sink->getHardwareId(), "USB\\VID_0B0E&PID_0300");
    EXPECT_EQ(sink->getVendor(), "Maker");
    auto extended = std::dynamic_pointer_cast<ExtendedDeviceInfo>(sink);
    ASSERT_TRUE(extended);
    EXPECT_EQ(extended->getDeviceInterface(), "usb");

    // A device without a description is still named.
    EXPECT_EQ(makePulseDeviceInfo(DEVICE_KIND_RECORDING, "mic", nullptr, nullptr)->getName(), "mic");
    EXPECT_EQ(makePulseDeviceInfo(DEVICE_KIND_RECORDING, "mic", nullptr, nullptr)->getHardwareId(), "SRV\\mic\\");
    EXPECT_EQ(makePulseDeviceInfo(DEVICE_KIND_RECORDING, "mic", "", nullptr)->getName(), "mic");
}

TEST(PulseLevels, ZeroToHundredOfTheNormalVolumeRoundTrip) {
    for (int level = 0; level <= 100; ++level) {
        pa_cvolume volume;
        pa_cvolume_set(&volume, 2, static_cast<pa_volume_t>(level * static_cast<double>(PA_VOLUME_NORM) / 100 + 0.5));
        EXPECT_EQ(PulseDeviceTracker::levelOf(volume), level);
    }
    pa_cvolume loud;
    pa_cvolume_set(&loud, 2, PA_VOLUME_NORM * 3 / 2);
    EXPECT_EQ(PulseDeviceTracker::levelOf(loud), 100) << "boosted volumes read as full";
    pa_cvolume unbalanced;
    pa_cvolume_set(&unbalanced, 2, PA_VOLUME_NORM / 4);
    unbalanced.values[1] = PA_VOLUME_NORM / 2;
    EXPECT_EQ(PulseDeviceTracker::levelOf(unbalanced), 50) << "the loudest channel counts";
}

TEST(PulseSampleLayout, FormatCodesMapToServerLayouts) {
    struct Case {
        int code;
        pa_sample_format_t format;
        uint32_t rate;
        uint8_t channels;
    };
    const Case cases[] = {
        {PCM_FORMAT_L16_8K, PA_SAMPLE_S16LE, 8000, 1},          {PCM_FORMAT_L16_16K, PA_SAMPLE_S16LE, 16000, 1},
        {PCM_FORMAT_L16_24K_MONO, PA_SAMPLE_S16LE, 24000, 1},   {PCM_FORMAT_L16_24K_STEREO, PA_SAMPLE_S16LE, 24000, 2},
        {PCM_FORMAT_L16_48K_MONO, PA_SAMPLE_S16LE, 48000, 1},   {PCM_FORMAT_L16_48K_STEREO, PA_SAMPLE_S16LE, 48000, 2},
        {PCM_FORMAT_MULAW_8K, PA_SAMPLE_ULAW, 8000, 1},         {PCM_FORMAT_ALAW_8K, PA_SAMPLE_ALAW, 8000, 1},
        {makePcmFormatCode(44100, 2, 16), PA_SAMPLE_S16LE, 44100, 2},
        {makePcmFormatCode(22050, 1, 8), PA_SAMPLE_U8, 22050, 1},
        {makePcmFormatCode(96000, 2, 24), PA_SAMPLE_S24LE, 96000, 2},
    };
    for (const Case& c : cases) {
        pa_sample_spec layout{};
        ASSERT_TRUE(pulseSampleLayout(c.code, layout)) << c.code;
        EXPECT_EQ(layout.format, c.format) << c.code;
        EXPECT_EQ(layout.rate, c.rate) << c.code;
        EXPECT_EQ(layout.channels, c.channels) << c.code;
    }
    pa_sample_spec untouched{PA_SAMPLE_FLOAT32LE, 1, 1};
    for (int code : {0, 5, 6, -1, 1000000000})
        EXPECT_FALSE(pulseSampleLayout(code, untouched)) << code;
    EXPECT_EQ(untouched.format, PA_SAMPLE_FLOAT32LE);
}

}  // namespace
}  // namespace olvar::test
