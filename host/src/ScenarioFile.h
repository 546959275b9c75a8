// The scenario a run plays on the simulated device manager: the built-in one or a file.
#pragma once

#include <string>

#include "velk/Scenario.h"

namespace Host {

// The built-in scenario for an empty path. False, with a one-line reason, for a file that is
// not a regular file, too large, malformed, too long to play, or presses unknown buttons.
bool loadScenario(const std::string& path, olvar::velk::Scenario& scenario, std::string& error);

}  // namespace Host
