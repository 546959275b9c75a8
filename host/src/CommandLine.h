// The program's command line: the options every run shares and one subcommand per task.
#pragma once

#include <optional>

#include "HostOptions.h"

namespace Host {

// Fills options. Returns the exit status when the program is done already: 0 after printing
// a help text, 2 after a one-line message for a usage error; empty when it should run.
std::optional<int> parseCommandLine(int argc, char** argv, HostOptions& options);

}  // namespace Host
