// The settings page as serve runs it: the server with its application, fed by the same
// notifications and timeline that watch shows.
#pragma once

#include <memory>
#include <string>

#include "../Commands.h"
#include "../server/SettingsApp.h"

namespace Host {

class LiveWatch;

class SettingsPage {
public:
    SettingsPage(CommandContext& context, SettingsAppOptions options);
    ~SettingsPage();  // stops
    SettingsPage(const SettingsPage&) = delete;
    SettingsPage& operator=(const SettingsPage&) = delete;

    bool start(std::string& error);
    // On the simulated backend, plays the scenario's timeline; nothing on the sound server.
    void playTimeline();
    void stop();
    SettingsApp& app() { return *m_app; }

private:
    std::unique_ptr<SettingsApp> m_app;
    std::unique_ptr<LiveWatch> m_watch;
    CommandContext& m_context;
};

// Where the page's files are: --web-root, else those installed beside the program, else the
// source tree's.
std::string defaultWebRoot();

}  // namespace Host
