#include "OlvarUnified/AccessoryEventNames.h"

#include <charconv>
#include <iterator>

#include "OlvarUnified/Telephony.h"

namespace OlvarUnified::AccessoryEventNames {

namespace {

enum class Takes { Text, Number, NumberPair };

struct Argument {
    std::string text;
    int first = 0;
    int second = 0;
};

using Call = void (*)(AccessoriesEvents&, const std::string&, const Argument&);

struct Entry {
    const char* name;
    Takes takes;
    Call call;
};

// In the order of the operations of AccessoriesEvents.
const Entry kEntries[] = {
    {"make-call", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onMakeCallEvent(id); }},
    {"answer-call", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onAnswerCallEvent(id); }},
    {"end-call", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onEndCallEvent(id); }},
    {"volume-up", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onVolumeUpEvent(id); }},
    {"volume-down", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onVolumeDownEvent(id); }},
    {"active-device-changed", Takes::Text,
     [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onActiveDeviceChangedEvent(id); }},
    {"set-default-audio-path", Takes::Number,
     [](AccessoriesEvents& e, const std::string& id, const Argument& a) { e.onSetDefaultAudioPathEvent(id, a.first); }},
    {"make-call-with-digits", Takes::Text,
     [](AccessoriesEvents& e, const std::string& id, const Argument& a) { e.onMakeCallWithDigitsEvent(id, a.text); }},
    {"accessories-list-changed", Takes::Text,
     [](AccessoriesEvents& e, const std::string&, const Argument&) { e.onAccessoriesListChangedEvent(); }},
    {"voicemail", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onVoicemailEvent(id); }},
    {"redial", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onRedialEvent(id); }},
    {"resume", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onResumeEvent(id); }},
    {"hold", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onHoldEvent(id); }},
    {"transfer-call", Takes::Text,
     [](AccessoriesEvents& e, const std::string& id, const Argument& a) { e.onTransferCallEvent(id, {}, a.text); }},
    {"mute", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onMuteEvent(id); }},
    {"unmute", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onUnmuteEvent(id); }},
    {"reject-call", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onRejectCallEvent(id); }},
    {"flash", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onFlashEvent(id); }},
    {"accessory-properties", Takes::Text,
     [](AccessoriesEvents& e, const std::string& id, const Argument&) {
         e.onAccessoryPropertiesEvent(id, std::make_shared<AccessoryProperties>());
     }},
    {"send-digit", Takes::Text,
     [](AccessoriesEvents& e, const std::string& id, const Argument& a) { e.onSendDigitEvent(id, a.text); }},
    {"accessory-removed", Takes::Text,
     [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onAccessoryRemovedEvent(id); }},
    {"firmware-version", Takes::Text,
     [](AccessoriesEvents& e, const std::string& id, const Argument& a) { e.onFirmwareVersionEvent(id, a.text); }},
    {"headset-control-update", Takes::NumberPair,
     [](AccessoriesEvents& e, const std::string& id, const Argument& a) {
         e.onGetHeadsetControlUpdate(id, a.first, a.second);
     }},
    {"battery-level", Takes::Text,
     [](AccessoriesEvents& e, const std::string& id, const Argument& a) { e.onBatteryLevelEvent(id, a.text); }},
    {"speed-dial", Takes::Text,
     [](AccessoriesEvents& e, const std::string& id, const Argument& a) { e.onSpeedDialEvent(id, a.text); }},
    {"conference", Takes::Text, [](AccessoriesEvents& e, const std::string& id, const Argument&) { e.onConferenceEvent(id); }},
};

const Entry* find(const std::string& name) {
    for (const Entry& entry : kEntries)
        if (name == entry.name) return &entry;
    return nullptr;
}

bool parseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

bool parse(Takes takes, const std::string& text, Argument& argument) {
    argument.text = text;
    switch (takes) {
        case Takes::Text: return true;
        case Takes::Number: return parseInt(text, argument.first);
        case Takes::NumberPair: {
            const auto comma = text.find(',');
            return comma != std::string::npos && parseInt(text.substr(0, comma), argument.first) &&
                   parseInt(text.substr(comma + 1), argument.second);
        }
    }
    return false;
}

}  // namespace

bool accepts(const std::string& name, const std::string& argument) {
    const Entry* entry = find(name);
    Argument parsed;
    return entry && parse(entry->takes, argument, parsed);
}

bool deliver(AccessoriesEvents& events, const std::string& name, const std::string& hardwareId,
             const std::string& argument) {
    const Entry* entry = find(name);
    Argument parsed;
    if (!entry || !parse(entry->takes, argument, parsed)) return false;
    entry->call(events, hardwareId, parsed);
    return true;
}

std::vector<std::string> all() {
    std::vector<std::string> names;
    for (const Entry& entry : kEntries) names.emplace_back(entry.name);
    return names;
}

}  // namespace OlvarUnified::AccessoryEventNames
