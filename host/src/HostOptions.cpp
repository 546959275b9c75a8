#include "HostOptions.h"

namespace Host {

bool parseHostOptions(const std::vector<std::string>& arguments, HostOptions& options, std::string& error) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                error = option + " needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        std::string text;
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--module") {
            if (!value(options.modulePath)) return false;
        } else if (option == "--scenario") {
            if (!value(options.scenarioPath)) return false;
        } else if (option == "--config-dir") {
            if (!value(options.configDirectory)) return false;
        } else if (option == "--set") {
            if (!value(text)) return false;
            const auto equals = text.find('=');
            if (equals == std::string::npos || equals == 0) {
                error = "--set needs KEY=VALUE, got '" + text + "'";
                return false;
            }
            // The configuration file keeps one KEY=VALUE per line.
            if (text.find_first_of("\r\n") != std::string::npos) {
                error = "--set takes a single line: KEY=VALUE must not hold a line break";
                return false;
            }
            options.configValues.emplace_back(text.substr(0, equals), text.substr(equals + 1));
        } else if (option == "--play") {
            if (!value(options.playFile)) return false;
        } else if (option == "--all-ringers") {
            options.allRingers = true;
        } else if (option == "--log-level") {
            if (!value(text)) return false;
            if (text.size() != 1 || text[0] < '2' || text[0] > '6') {
                error = "--log-level takes 2 (errors) to 6 (trace), got '" + text + "'";
                return false;
            }
            options.logLevel = text[0] - '0';
        } else if (option == "--backend") {
            if (!value(options.backend)) return false;
            if (options.backend != "simulated" && options.backend != "pulse") {
                error = "--backend takes simulated or pulse, got '" + options.backend + "'";
                return false;
            }
        } else if (option == "--apply-defaults") {
            options.applyDefaults = true;
        } else if (option == "--watch") {
            if (!value(text)) return false;
            if (text.find_first_not_of("0123456789") != std::string::npos || text.size() > 6) {
                error = "--watch takes whole seconds, got '" + text + "'";
                return false;
            }
            options.watchSeconds = std::stoi(text);
        } else {
            error = "unknown option '" + option + "'";
            return false;
        }
    }
    return true;
}

std::string hostUsage(const std::string& programName) {
    return "Usage: " + programName + " [options]\n"
           "\n"
           "Loads the media-device service module the way the client's host does (dlopen, then\n"
           "InjectMediaDeviceService), starts its feature set 3100 on a simulated device manager,\n"
           "shows what the service knows, plays the scenario's plug and unplug events while\n"
           "printing the service's notifications, then stops the feature set and unloads.\n"
           "\n"
           "Options:\n"
           "  --module PATH       the module to load (default: libmediadeviceservice.so built\n"
           "                      beside this program)\n"
           "  --scenario FILE     devices and timed events of the simulated device manager\n"
           "                      (default: a built-in speaker and microphone, a USB headset and\n"
           "                      a camera, with the headset unplugged and plugged back)\n"
           "  --config-dir DIR    configuration directory of this run (default: ./host-config);\n"
           "                      keeps the host's configuration values and the module's\n"
           "                      preferred-device file between runs\n"
           "  --set KEY=VALUE     a host configuration value, e.g. --set HeadsetPreference=PreferOld;\n"
           "                      kept in the configuration directory\n"
           "  --play FILE         play a wave file during the scenario (or the watch) on the current ringer\n"
           "                      (the first available one when none is current), printing\n"
           "                      the session id and SoundPlayFinished when it ends\n"
           "  --all-ringers       with --play: play it on every ringer at once\n"
           "  --backend NAME      simulated (default) or pulse: the real sound server named by\n"
           "                      PULSE_SERVER (else the user's), with cameras from sysfs\n"
           "  --watch SECONDS     with pulse: how long to print plug and unplug (default 10)\n"
           "  --apply-defaults    with pulse: the device in use of speakers and microphones\n"
           "                      becomes the server's default sink and source\n"
           "  --log-level N       2 errors, 3 warnings, 4 info, 5 debug, 6 trace (default 3, or\n"
           "                      OLVAR_LOG_LEVEL)\n"
           "  --help              this text\n";
}

}  // namespace Host
