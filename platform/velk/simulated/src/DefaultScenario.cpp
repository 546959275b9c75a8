#include "velk/Scenario.h"

namespace olvar::velk {

namespace {
constexpr const char* kHeadsetHardwareId = "USB\\VID_0B0E&PID_0348&MI_00";
constexpr const char* kHeadsetVendor = "Nordhall Audio";
constexpr const char* kHeadsetInterface = "Nordhall Headset 300";
}  // namespace

Scenario builtInDefaultScenario() {
    Scenario s;
    s.devices = {
        {DEVICE_KIND_PLAYBACK, "Built-in Speakers", "spk-builtin", "PCI\\VEN_1234&DEV_0001", "Acme", "Built-in Audio",
         "Speakers (Built-in Audio)", "HDAUDIO\\FUNC_01&VEN_1234&DEV_0001\\1", 60, 0.0f},
        {DEVICE_KIND_RECORDING, "Built-in Microphone", "mic-builtin", "PCI\\VEN_1234&DEV_0001", "Acme",
         "Built-in Audio", "Microphone (Built-in Audio)", "HDAUDIO\\FUNC_01&VEN_1234&DEV_0001\\2", 50, 0.25f},
        {DEVICE_KIND_PLAYBACK, "Headset Earphone", "usb-headset-spk", kHeadsetHardwareId, kHeadsetVendor,
         kHeadsetInterface, "Headset Earphone (Nordhall Headset 300)", "USB\\VID_0B0E&PID_0348\\7&1A2B3C&0&1", 40,
         0.0f},
        {DEVICE_KIND_RECORDING, "Headset Microphone", "usb-headset-mic", kHeadsetHardwareId, kHeadsetVendor,
         kHeadsetInterface, "Headset Microphone (Nordhall Headset 300)", "USB\\VID_0B0E&PID_0348\\7&1A2B3C&0&2", 70,
         0.5f},
        {DEVICE_KIND_CAPTURE, "Integrated Camera", "cam-builtin", "USB\\VID_5986&PID_2113&MI_00", "Acme",
         "Integrated Camera", "Integrated Camera", "USB\\VID_5986&PID_2113\\0001", 50, 0.0f},
    };
    s.defaults = {
        {DEVICE_KIND_PLAYBACK, "spk-builtin"},
        {DEVICE_KIND_RECORDING, "mic-builtin"},
        {DEVICE_KIND_CAPTURE, "cam-builtin"},
    };
    return s;
}

}  // namespace olvar::velk
