#include "CommandLine.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "operations/RequestChecks.h"
#include "OlvarUnified/AccessoryEventNames.h"
#include "Output.h"

namespace Host {
namespace {

const CLI::Validator kDeviceType(
    [](std::string& text) { return deviceTypeError(text); },
    "speaker|microphone|ringer|camera", "DEVICE_TYPE");

const CLI::Validator kVolume(
    [](std::string& text) {
        try {
            std::size_t used = 0;
            const int volume = std::stoi(text, &used);
            if (used == text.size()) return volumeError(volume);
        } catch (const std::exception&) {
        }
        return "volume '" + text + "' is not a number";
    },
    "0..100", "VOLUME");

const CLI::Validator kAccessoryEvent(
    [](std::string& text) {
        for (const auto& name : OlvarUnified::AccessoryEventNames::all())
            if (name == text) return std::string();
        return "unknown button event '" + text + "' (e.g. answer-call, end-call, volume-up, volume-down)";
    },
    "EVENT", "ACCESSORY_EVENT");

// The configuration file keeps one KEY=VALUE per line.
const CLI::Validator kSetting(
    [](std::string& text) {
        const auto equals = text.find('=');
        if (equals == std::string::npos || equals == 0) return "needs KEY=VALUE, got '" + text + "'";
        if (text.find_first_of("\r\n") != std::string::npos)
            return std::string("--set takes a single line: KEY=VALUE must not hold a line break");
        return std::string();
    },
    "KEY=VALUE", "SETTING");

void addSharedOptions(CLI::App& app, HostOptions& options, std::vector<std::string>& settings) {
    app.add_option("--module", options.modulePath,
                   "the module to load (default: libmediadeviceservice.so built beside this program)");
    app.add_option("--scenario", options.scenarioPath,
                   "devices and timed events of the simulated device manager (default: built-in speakers and "
                   "microphone, a USB headset and a camera; the headset is unplugged, plugged back and pressed)");
    app.add_option("--config-dir", options.configDirectory,
                   "keeps the host's configuration values and the module's preferred-device file between runs")
        ->capture_default_str();
    app.add_option("--set", settings, "a host configuration value, e.g. --set HeadsetPreference=PreferOld")
        ->check(kSetting);
    app.add_option("--backend", options.backend,
                   "simulated, or pulse: the real sound server named by PULSE_SERVER (else the user's)")
        ->check(CLI::IsMember({"simulated", "pulse"}))
        ->capture_default_str();
    app.add_flag("--apply-defaults", options.applyDefaults,
                 "with pulse: the device in use of speakers and microphones becomes the server's default");
    app.add_option("--log-level", options.logLevel, "2 errors, 3 warnings, 4 info, 5 debug, 6 trace")
        ->check(CLI::Range(2, 6));
    app.add_flag("--json", options.json, "print JSON: one document, or one object per line for watch");
}

CLI::App* addCommand(CLI::App& app, const char* name, const char* description) {
    CLI::App* command = app.add_subcommand(name, description);
    // The shared options may come after the subcommand too.
    command->fallthrough();
    return command;
}

void addDeviceType(CLI::App& command, HostOptions& options) {
    command.add_option("TYPE", options.deviceType, "speaker, microphone, ringer or camera (any letter case)")
        ->required()
        ->check(kDeviceType);
}

constexpr const char* kDeviceIdHelp =
    "a device: its selection id as list prints it, or its hardware id or name when only one device of the type "
    "has it";

void addCommands(CLI::App& app, HostOptions& options) {
    addCommand(app, "list", "devices of every type: preferred order, plugged-in state, volume, the device in use");

    auto* watch = addCommand(app, "watch", "print the service's notifications as they happen until Ctrl-C");
    watch->add_option("--for", options.forMilliseconds,
                      "stop after MS milliseconds (on the simulated backend, counted from the end of the "
                      "scenario's timeline)")
        ->check(CLI::NonNegativeNumber);

    auto* prefer = addCommand(app, "prefer", "put devices first in the preferred order, in the order given, and keep it");
    addDeviceType(*prefer, options);
    prefer->add_option("ID", options.deviceIds, kDeviceIdHelp)->required()->expected(1, -1);

    auto* select = addCommand(app, "select", "make a device the one in use");
    addDeviceType(*select, options);
    select->add_option("ID", options.deviceId, kDeviceIdHelp)->required();

    auto* volume = addCommand(app, "volume", "set a device's volume (0 to 100) and keep it");
    addDeviceType(*volume, options);
    volume->add_option("ID", options.deviceId, kDeviceIdHelp)->required();
    volume->add_option("N", options.volume, "0 to 100")->required()->check(kVolume);

    auto* play = addCommand(app, "play", "play a wave file on a ringer until it ends or Ctrl-C");
    play->add_option("FILE", options.playFile, "a wave file")->required();
    auto* device = play->add_option("--device", options.deviceId, "the ringer to play on (default: the current one)");
    play->add_flag("--all-ringers", options.allRingers, "play on every ringer at once")->excludes(device);
    play->add_option("--volume", options.volume, "0 to 100")->check(kVolume)->capture_default_str();
    play->add_flag("--loop", options.loop, "start again at the end, until Ctrl-C or --for");
    play->add_option("--for", options.forMilliseconds, "stop after MS milliseconds")->check(CLI::NonNegativeNumber);

    auto* peak = addCommand(app, "peak", "a live input-level meter of a microphone until Ctrl-C");
    peak->add_option("ID", options.deviceId, kDeviceIdHelp)->required();
    peak->add_option("--samples", options.samples, "stop after N readings")->check(CLI::PositiveNumber);
    peak->add_option("--interval", options.intervalMilliseconds, "milliseconds between readings")
        ->check(CLI::Range(10, 10000))
        ->capture_default_str();

    auto* serve = addCommand(app, "serve", "serve the live settings page until Ctrl-C; prints its address first");
    serve->add_option("--port", options.port, "the port to listen on (0: a free one)")
        ->check(CLI::Range(0, 65535))
        ->capture_default_str();
    serve->add_option("--bind", options.bindAddress, "the address to listen on; anything but loopback exposes the page")
        ->capture_default_str();
    serve->add_option("--sounds", options.soundsDirectory, "a folder of wave files the page may play")
        ->check(CLI::ExistingDirectory);
    serve->add_option("--web-root", options.webRoot, "the page's files (default: those installed with the program)")
        ->check(CLI::ExistingDirectory);
    serve->add_flag("--new-token", options.newToken, "replace the page's kept token: open pages lose access");

    auto* press = addCommand(app, "press", "press a headset button and show the device in use after it");
    press->add_option("EVENT", options.event, "answer-call, end-call, volume-up, volume-down, ...")
        ->required()
        ->check(kAccessoryEvent);
    press->add_option("HWID", options.hardwareId, "the headset's hardware id")->required();
    press->add_option("ARG", options.argument, "the event's argument, for the events that take one");
}

// The program without a subcommand replays a scenario; these options belong to that run.
void addReplayOptions(CLI::App& app, HostOptions& options) {
    app.add_option("--play", options.playFile, "play a wave file on the current ringer while the scenario runs");
    app.add_flag("--all-ringers", options.allRingers, "with --play: play it on every ringer at once");
    app.add_option("--watch", options.watchSeconds, "with pulse: how long to print plug and unplug, in seconds")
        ->check(CLI::Range(0, 999999))
        ->capture_default_str();
}

}  // namespace

std::optional<int> parseCommandLine(int argc, char** argv, HostOptions& options) {
    CLI::App app(
        "Loads the media-device service module the way the client's host does (dlopen, then "
        "InjectMediaDeviceService), starts its feature set 3100 on a simulated device manager or the sound server "
        "and runs a subcommand. Without one it shows what the service knows, plays the scenario's events while "
        "printing the service's notifications, then stops and unloads.\n\n"
        "Exit status: 0 success, 1 failure, 2 usage error.",
        "mediadevice-host");
    app.require_subcommand(0, 1);
    std::vector<std::string> settings;
    addSharedOptions(app, options, settings);
    addReplayOptions(app, options);
    addCommands(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        app.exit(help, std::cout, std::cerr);
        return kExitSuccess;
    } catch (const CLI::CallForAllHelp& help) {
        app.exit(help, std::cout, std::cerr);
        return kExitSuccess;
    } catch (const CLI::ParseError& error) {
        return reportFailure(std::string(error.what()) + " (see --help)", kExitUsage);
    }
    if (!app.get_subcommands().empty()) options.command = app.get_subcommands().front()->get_name();
    for (const auto& setting : settings) {
        const auto equals = setting.find('=');
        options.configValues.emplace_back(setting.substr(0, equals), setting.substr(equals + 1));
    }
    return std::nullopt;
}

}  // namespace Host
