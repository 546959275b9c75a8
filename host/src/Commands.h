// The program's subcommands, each in a file of its own, and what they share.
#pragma once

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

// Loads the scenario, opens a session, runs the subcommand that options names and closes.
int runCommand(const HostOptions& options, Interruption& interruption);

}  // namespace Host
