#include <charconv>
#include <set>
#include <sstream>

#include "ScenarioLexer.h"
#include "velk/Scenario.h"

namespace olvar::velk {

namespace {

using Words = std::vector<std::string>;

constexpr long long kMaxTimeMs = 7LL * 24 * 3600 * 1000;  // a week is plenty for a timeline

bool parseKind(const std::string& word, int& kind, std::string& error) {
    if (word == "playback" || word == "speaker") {
        kind = DEVICE_KIND_PLAYBACK;
    } else if (word == "recording" || word == "microphone") {
        kind = DEVICE_KIND_RECORDING;
    } else if (word == "capture" || word == "camera") {
        kind = DEVICE_KIND_CAPTURE;
    } else {
        error = "unknown device kind '" + word + "' (playback, recording or capture)";
        return false;
    }
    return true;
}

template <class Number>
bool parseNumber(const std::string& text, Number& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

bool parseTime(const std::string& word, std::chrono::milliseconds& at, std::string& error) {
    long long factor = 0;
    std::string digits;
    if (word.size() > 2 && word.compare(word.size() - 2, 2, "ms") == 0) {
        factor = 1;
        digits = word.substr(0, word.size() - 2);
    } else if (word.size() > 1 && word.back() == 's') {
        factor = 1000;
        digits = word.substr(0, word.size() - 1);
    }
    long long value = -1;
    if (factor == 0 || !parseNumber(digits, value) || value < 0 || value > kMaxTimeMs / factor) {
        error = "bad time '" + word + "' (a whole number followed by ms or s)";
        return false;
    }
    at = std::chrono::milliseconds(value * factor);
    return true;
}

bool applyAttribute(const std::string& key, const std::string& value, SimulatedDevice& device, std::string& error) {
    if (key == "sel") {
        device.selectionId = value;
    } else if (key == "name") {
        device.name = value;
    } else if (key == "hwid") {
        device.hardwareId = value;
    } else if (key == "vendor") {
        device.vendor = value;
    } else if (key == "interface") {
        device.deviceInterface = value;
    } else if (key == "friendly") {
        device.friendlyName = value;
    } else if (key == "instance") {
        device.instanceId = value;
    } else if (key == "volume") {
        if (!parseNumber(value, device.volume) || device.volume < 0 || device.volume > 100) {
            error = "volume must be a whole number 0..100, not '" + value + "'";
            return false;
        }
    } else if (key == "peak") {
        if (!parseNumber(value, device.peakLevel) || !(device.peakLevel >= 0 && device.peakLevel <= 1)) {
            error = "peak must be a number 0..1, not '" + value + "'";
            return false;
        }
    } else {
        error = "unknown attribute '" + key + "'";
        return false;
    }
    return true;
}

// words: kind followed by attributes.
bool parseDevice(const Words& words, std::size_t first, SimulatedDevice& device, std::string& error) {
    if (first >= words.size()) {
        error = "missing device kind";
        return false;
    }
    device = SimulatedDevice{};
    if (!parseKind(words[first], device.kind, error)) return false;
    for (std::size_t i = first + 1; i < words.size(); ++i) {
        const auto eq = words[i].find('=');
        if (eq == std::string::npos || eq == 0) {
            error = "expected attribute=value, got '" + words[i] + "'";
            return false;
        }
        if (!applyAttribute(words[i].substr(0, eq), words[i].substr(eq + 1), device, error)) return false;
    }
    if (device.selectionId.empty()) {
        error = "device without sel=";
        return false;
    }
    if (device.name.empty()) device.name = device.selectionId;
    return true;
}

bool expectWordCount(const Words& words, std::size_t count, const char* usage, std::string& error) {
    if (words.size() == count) return true;
    error = std::string("expected: ") + usage;
    return false;
}

class ScenarioBuilder {
public:
    bool statement(const Words& words, std::string& error) {
        const std::string& keyword = words[0];
        if (keyword == "device") return device(words, error);
        if (keyword == "default") return initialDefault(words, error);
        if (keyword == "at") return timedEvent(words, error);
        error = "unknown statement '" + keyword + "' (device, default or at)";
        return false;
    }

    Scenario take() { return std::move(m_scenario); }

private:
    bool device(const Words& words, std::string& error) {
        SimulatedDevice d;
        if (!parseDevice(words, 1, d, error)) return false;
        if (!m_declared.insert(d.selectionId).second) {
            error = "duplicate device '" + d.selectionId + "'";
            return false;
        }
        m_scenario.devices.push_back(std::move(d));
        return true;
    }

    bool initialDefault(const Words& words, std::string& error) {
        ScenarioDefault d;
        if (!expectWordCount(words, 3, "default <kind> <selection id>", error)) return false;
        if (!parseKind(words[1], d.kind, error)) return false;
        d.selectionId = words[2];
        if (!isDeclared(d.kind, d.selectionId)) {
            error = "default names no declared " + words[1] + " device '" + d.selectionId + "'";
            return false;
        }
        m_scenario.defaults.push_back(std::move(d));
        return true;
    }

    bool timedEvent(const Words& words, std::string& error) {
        ScenarioEvent e;
        if (words.size() < 3) {
            error = "expected: at <time> plug|unplug|default|button ...";
            return false;
        }
        if (!parseTime(words[1], e.at, error)) return false;
        const std::string& action = words[2];
        if (action == "plug") {
            e.action = ScenarioEvent::Action::Plug;
            if (!parseDevice(words, 3, e.device, error)) return false;
        } else if (action == "unplug") {
            e.action = ScenarioEvent::Action::Unplug;
            if (!expectWordCount(words, 4, "at <time> unplug <selection id>", error)) return false;
            e.selectionId = words[3];
        } else if (action == "default") {
            e.action = ScenarioEvent::Action::SetDefault;
            if (!expectWordCount(words, 5, "at <time> default <kind> <selection id>", error)) return false;
            if (!parseKind(words[3], e.kind, error)) return false;
            e.selectionId = words[4];
        } else if (action == "button") {
            e.action = ScenarioEvent::Action::Button;
            if (words.size() != 5 && words.size() != 6) {
                error = "expected: at <time> button <event> <hardware id> [<argument>]";
                return false;
            }
            e.button = words[3];
            e.hardwareId = words[4];
            if (words.size() == 6) e.argument = words[5];
        } else {
            error = "unknown timed action '" + action + "' (plug, unplug, default or button)";
            return false;
        }
        m_scenario.events.push_back(std::move(e));
        return true;
    }

    bool isDeclared(int kind, const std::string& selectionId) const {
        for (const SimulatedDevice& d : m_scenario.devices) {
            if (d.kind == kind && d.selectionId == selectionId) return true;
        }
        return false;
    }

    Scenario m_scenario;
    std::set<std::string> m_declared;
};

}  // namespace

bool parseScenario(const std::string& text, Scenario& out, std::string& error) {
    ScenarioBuilder builder;
    std::istringstream lines(text);
    std::string line;
    Words words;
    for (int lineNumber = 1; std::getline(lines, line); ++lineNumber) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string what;
        const bool ok = splitScenarioLine(line, words, what) && (words.empty() || builder.statement(words, what));
        if (!ok) {
            error = "line " + std::to_string(lineNumber) + ": " + what;
            return false;
        }
    }
    out = builder.take();
    error.clear();
    return true;
}

}  // namespace olvar::velk
