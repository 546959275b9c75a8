// What the command line asked for: the options every run shares and those of the subcommand.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace Host {

struct HostOptions {
    // Shared by every subcommand.
    std::string modulePath;     // empty: the module built beside this program
    std::string scenarioPath;   // empty: the built-in scenario
    std::string configDirectory = "host-config";
    std::vector<std::pair<std::string, std::string>> configValues;  // --set KEY=VALUE
    int logLevel = 0;           // 0: keep OLVAR_LOG_LEVEL or the library default
    std::string backend = "simulated";  // or "pulse": the real sound server
    bool applyDefaults = false;         // the server's defaults follow the device in use
    bool json = false;

    // The subcommand; empty: replay the scenario (the program's behaviour without one).
    std::string command;
    std::string deviceType;              // prefer, select, volume
    std::vector<std::string> deviceIds;  // prefer
    std::string deviceId;                // select, volume, peak; play --device
    int volume = 100;                    // volume; play --volume
    std::string playFile;                // play; --play of the scenario replay
    bool allRingers = false;
    bool loop = false;
    int forMilliseconds = -1;            // watch, play: stop after this long; -1: on Ctrl-C
    int samples = 0;                     // peak: stop after this many readings; 0: on Ctrl-C
    int intervalMilliseconds = 200;      // peak: time between readings
    std::string event;                   // press
    std::string hardwareId;
    std::string argument;
    int watchSeconds = 10;               // the replay on the sound server: how long to watch
    // serve
    int port = 0;                        // 0: a free one
    std::string bindAddress = "127.0.0.1";
    std::string soundsDirectory;         // wave files the page may play, besides the tone
    std::string webRoot;                 // empty: the page installed with the program
    bool newToken = false;
};

}  // namespace Host
