// What the subcommands share: the operations they run and how an Outcome ends a run.
#pragma once

#include "../Commands.h"
#include "../operations/DeviceOperations.h"

namespace Host {

class SoundPlayback;

// Prints the outcome's result, or its error on standard error; returns the exit status.
int finish(CommandContext& context, const Outcome& outcome);
// Checks that the module can play the options' file and starts it as they say; false after
// reporting why not.
bool startPlaying(CommandContext& context, SoundPlayback& playback);

}  // namespace Host
