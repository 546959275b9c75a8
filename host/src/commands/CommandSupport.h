// What the subcommands share: the operations they run and how an Outcome ends a run.
#pragma once

#include "../Commands.h"
#include "../operations/DeviceOperations.h"

namespace Host {

// Prints the outcome's result, or its error on standard error; returns the exit status.
int finish(CommandContext& context, const Outcome& outcome);

}  // namespace Host
