// Scenario files: the devices a simulated device manager starts with, its default devices
// and a timeline of plug, unplug and default changes.
//
// Text format, one statement per line; blank lines and lines starting with '#' are ignored:
//
//   device <kind> sel=<id> [attribute=value ...]
//   default <kind> <selection id>
//   at <time> plug <kind> sel=<id> [attribute=value ...]
//   at <time> unplug <selection id>
//   at <time> default <kind> <selection id>
//   at <time> button <event> <hardware id> [<argument>]
//
// <kind> is playback (or speaker), recording (or microphone) or capture (or camera).
// <time> is a whole number followed by "ms" or "s", measured from the start of the timeline;
// events with equal times keep their file order.
// Attributes: sel (required), name (defaults to sel), hwid, vendor, interface, friendly,
// instance, volume (0..100, default 50) and peak (0..1). A value is a bare word or a text in
// double quotes; quoted texts keep backslashes literally and cannot contain a double quote.
// A button statement presses an accessory button (an <event> such as volume-up) on the device
// with that hardware id; the simulated device manager hands it to whoever listens for
// accessory buttons, which also judges the event's name and argument.
//
//   # the laptop's own speakers
//   device playback sel=spk-builtin name="Built-in Speakers" hwid="PCI\VEN_1234&DEV_0001" volume=60
//   default playback spk-builtin
//   at 1500ms unplug usb-headset-spk
//   at 3s plug playback sel=usb-headset-spk name="USB Headset" hwid="USB\VID_0B0E&PID_0348&MI_00"
//   at 4s button volume-up "USB\VID_0B0E&PID_0348&MI_00"
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "velk/DeviceInfo.h"
#include "velk/SimulatedDevice.h"

namespace olvar::velk {

struct ScenarioDefault {
    int kind = 0;
    std::string selectionId;
};

struct ScenarioEvent {
    enum class Action { Plug, Unplug, SetDefault, Button };

    std::chrono::milliseconds at{0};
    Action action = Action::Plug;
    SimulatedDevice device;   // Plug
    int kind = 0;             // SetDefault
    std::string selectionId;  // Unplug and SetDefault
    std::string button;       // Button: the event's name, the device's hardware id, the argument
    std::string hardwareId;
    std::string argument;
};

struct Scenario {
    std::vector<SimulatedDevice> devices;
    std::vector<ScenarioDefault> defaults;
    std::vector<ScenarioEvent> events;  // in file order
};

// Replaces out on success. On failure out is left unchanged and error reads
// "line <n>: <what is wrong>".
OLVAR_API bool parseScenario(const std::string& text, Scenario& out, std::string& error);

// Built-in speakers and microphone, a USB headset seen as a speaker and a microphone that
// share one hardware id, and a camera; the built-in devices are the defaults. No events.
OLVAR_API Scenario builtInDefaultScenario();

}  // namespace olvar::velk
