// Runs one subcommand inside a session: the choices of file access and output per command,
// and the checks of arguments that need no module.
#include <filesystem>
#include <iostream>
#include <string_view>

#include "Commands.h"
#include "HostSession.h"
#include "OlvarUnified/AccessoryEventNames.h"
#include "Output.h"
#include "ScenarioFile.h"

namespace Host {
namespace {

struct Command {
    std::string_view name;
    int (*run)(CommandContext&);
    // Commands that change what the user keeps may write the preferred-device file, once
    // they succeeded; the others never do.
    FileAccess access;
};

constexpr Command kCommands[] = {
    {"", runReplay, FileAccess::Saving},
    {"list", runList, FileAccess::ReadOnly},
    {"watch", runWatch, FileAccess::ReadOnly},
    {"prefer", runPrefer, FileAccess::ReadOnly},
    {"select", runSelect, FileAccess::ReadOnly},
    {"volume", runVolume, FileAccess::ReadOnly},
    {"play", runPlay, FileAccess::ReadOnly},
    {"peak", runPeak, FileAccess::ReadOnly},
    {"press", runPress, FileAccess::ReadOnly},
    // The page's prefer and volume requests keep the lists, as the subcommands do.
    {"serve", runServe, FileAccess::ReadOnly},
};

// Mistakes that show without the module: nothing is loaded for them.
int checkArguments(const HostOptions& options, std::string& error) {
    if (options.command == "press" && !OlvarUnified::AccessoryEventNames::accepts(options.event, options.argument)) {
        error = "button event '" + options.event + "' does not take the argument '" + options.argument + "'";
        return kExitUsage;
    }
    if (!options.playFile.empty() && !std::filesystem::is_regular_file(options.playFile)) {
        error = "cannot play " + options.playFile +
                (std::filesystem::exists(options.playFile) ? ": not a regular file" : ": no such file");
        return kExitFailure;
    }
    return kExitSuccess;
}

OutputFormat outputFormatOf(const HostOptions& options) {
    if (!options.json) return OutputFormat::Text;
    return options.command == "watch" ? OutputFormat::JsonLines : OutputFormat::JsonDocument;
}

}  // namespace

int runCommand(const HostOptions& options, Interruption& interruption) {
    const Command* command = nullptr;
    for (const auto& entry : kCommands)
        if (entry.name == options.command) command = &entry;
    if (!command) return reportFailure("unknown subcommand '" + options.command + "'", kExitUsage);

    std::string error;
    if (const int status = checkArguments(options, error)) return reportFailure(error, status);
    olvar::velk::Scenario scenario;
    if (!loadScenario(options.scenarioPath, scenario, error)) return reportFailure(error, kExitUsage);

    // Only the replay tells how the module is loaded and unloaded.
    const bool replay = options.command.empty();
    HostSession session(replay ? &std::cout : nullptr);
    if (!session.open(options, scenario, command->access, error)) return reportFailure(error);
    Output output(std::cout, outputFormatOf(options));
    CommandContext context{options, scenario, session, output, interruption};
    const int status = command->run(context);
    if (!session.close())
        return reportFailure("could not save the configuration to " + session.platform().configFile());
    if (replay) std::cout << "Configuration kept in " << session.platform().configFile() << "\n";
    return status;
}

}  // namespace Host
