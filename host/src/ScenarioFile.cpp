#include "ScenarioFile.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "HostPlatform.h"
#include "OlvarUnified/AccessoryEventNames.h"

namespace Host {
namespace {

// A scenario is a short hand-written text; anything else (a device, a directory, a file far
// too large) is a mistake on the command line, not something to read.
constexpr std::uintmax_t kMaxScenarioBytes = 1 << 20;
// The run waits for the whole timeline: keep it to what a person would watch.
constexpr std::chrono::minutes kMaxTimeline{10};

bool readScenario(const std::string& path, olvar::velk::Scenario& scenario, std::string& error) {
    std::error_code failure;
    const auto status = std::filesystem::status(path, failure);
    if (!std::filesystem::is_regular_file(status)) {
        error = "scenario " + path + " is not a regular file";
        return false;
    }
    if (std::filesystem::file_size(path, failure) > kMaxScenarioBytes) {
        error = "scenario " + path + " is larger than " + std::to_string(kMaxScenarioBytes) + " bytes";
        return false;
    }
    std::ifstream file(path);
    if (!file) {
        error = "cannot read scenario " + path;
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    if (!olvar::velk::parseScenario(text.str(), scenario, error)) {
        error = path + ", " + error;
        return false;
    }
    if (timelineLength(scenario) > kMaxTimeline) {
        error = "scenario " + path + " has events after " + std::to_string(kMaxTimeline.count()) +
                " minutes; this host plays at most that long";
        return false;
    }
    return true;
}

// The device manager passes button names on unread; the host judges them before it runs.
bool checkButtons(const olvar::velk::Scenario& scenario, std::string& error) {
    for (const auto& event : scenario.events) {
        if (event.action != olvar::velk::ScenarioEvent::Action::Button) continue;
        if (OlvarUnified::AccessoryEventNames::accepts(event.button, event.argument)) continue;
        error = "scenario button '" + event.button + "' with argument '" + event.argument +
                "' is not an accessory event (known: volume-up, answer-call, set-default-audio-path <number>, ...)";
        return false;
    }
    return true;
}

}  // namespace

bool loadScenario(const std::string& path, olvar::velk::Scenario& scenario, std::string& error) {
    scenario = defaultHostScenario();
    if (!path.empty() && !readScenario(path, scenario, error)) return false;
    return checkButtons(scenario, error);
}

}  // namespace Host
