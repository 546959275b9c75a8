// The program's subcommands, each in a file of its own, and what they share.
#pragma once

#include <string>

#include "HostOptions.h"
#include "velk/Scenario.h"

namespace Host {

class HostSession;
class Interruption;
class Output;

// What a subcommand works with; the session's feature set is started.
struct CommandContext {
    const HostOptions& options;
    const olvar::velk::Scenario& scenario;
    HostSession& session;
    Output& output;
    Interruption& interruption;
};

// Each returns the exit status.
int runList(CommandContext& context);
int runWatch(CommandContext& context);
int runPrefer(CommandContext& context);
int runSelect(CommandContext& context);
int runVolume(CommandContext& context);
int runPlay(CommandContext& context);
int runPeak(CommandContext& context);
int runPress(CommandContext& context);
int runServe(CommandContext& context);
// Without a subcommand: the service's state, the scenario's events with the notifications
// they cause, the state again.
int runReplay(CommandContext& context);

// Mistakes in the arguments that show without the module; the exit status, 0 when none.
int checkArguments(const HostOptions& options, std::string& error);

// Loads the scenario, opens a session, runs the subcommand that options names and closes.
int runCommand(const HostOptions& options, Interruption& interruption);

}  // namespace Host
