#include <iostream>

#include "../HostPlatform.h"
#include "../HostSession.h"
#include "../Interruption.h"
#include "../Output.h"
#include "../server/AccessToken.h"
#include "MirelCoreUtils/FileUtils.h"
#include "SettingsPage.h"

namespace Host {

// Until Ctrl-C or SIGTERM. The first line is the page's address, for a person or (with
// --json) a program to open.
int runServe(CommandContext& context) {
    const auto& options = context.options;
    std::string error;
    SettingsAppOptions page;
    page.server.bindAddress = options.bindAddress;
    page.server.port = static_cast<unsigned short>(options.port);
    page.server.webRoot = options.webRoot.empty() ? defaultWebRoot() : options.webRoot;
    page.server.token = web::loadOrCreateToken(MirelCoreUtils::FileUtils::getConfigDirectory(), options.newToken, error);
    if (page.server.token.empty()) return reportFailure(error);
    page.soundsDirectory = options.soundsDirectory;
    page.backend = options.backend;

    SettingsPage settings(context, page);
    if (!settings.start(error)) return reportFailure(error);
    const std::string url = settings.app().server().pageUrl();
    if (options.json)
        std::cout << "{\"url\": " << nlohmann::json(url).dump() << "}" << std::endl;
    else
        std::cout << "Settings page: " << url << std::endl;
    settings.playTimeline();
    context.interruption.waitFor(std::chrono::milliseconds(-1));
    settings.stop();
    return kExitSuccess;
}

}  // namespace Host
