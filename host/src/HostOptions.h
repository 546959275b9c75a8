// Command line of the host program.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace Host {

struct HostOptions {
    std::string modulePath;     // empty: the module built beside this program
    std::string scenarioPath;   // empty: the built-in scenario
    std::string configDirectory = "host-config";
    std::vector<std::pair<std::string, std::string>> configValues;  // --set KEY=VALUE
    int logLevel = 0;           // 0: keep OLVAR_LOG_LEVEL or the library default
    std::string playFile;       // --play: a wave file played during the scenario
    bool allRingers = false;    // --all-ringers: play it on every ringer
    bool help = false;
};

// Returns false and fills error for an unknown option or a missing or malformed value.
bool parseHostOptions(const std::vector<std::string>& arguments, HostOptions& options, std::string& error);
std::string hostUsage(const std::string& programName);

}  // namespace Host
