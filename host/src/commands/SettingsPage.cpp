#include "SettingsPage.h"

#include <unistd.h>

#include <filesystem>

#include "LiveWatch.h"

namespace Host {

std::string defaultWebRoot() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const auto installed = program.parent_path().parent_path() / "share" / "mediadevice-host" / "web";
        if (std::filesystem::is_regular_file(installed / "index.html", error)) return installed.string();
    }
    return MDS_WEB_SOURCE_ROOT;
}

SettingsPage::SettingsPage(CommandContext& context, SettingsAppOptions options)
    : m_app(std::make_unique<SettingsApp>(context.session, std::move(options))), m_context(context) {}

SettingsPage::~SettingsPage() { stop(); }

bool SettingsPage::start(std::string& error) {
    if (!m_app->start(error)) return false;
    m_watch = std::make_unique<LiveWatch>(
        m_context, [app = m_app.get()](nlohmann::ordered_json event, const std::string&) { app->report(std::move(event)); });
    return true;
}

void SettingsPage::playTimeline() {
    if (m_watch) m_watch->startTimeline();
}

void SettingsPage::stop() {
    // The pages go first, so that no request runs while the watch is taken down.
    m_app->stop();
    if (m_watch) m_watch->stop();
    m_watch.reset();
}

}  // namespace Host
