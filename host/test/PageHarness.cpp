#include "PageHarness.h"

#include "HostPlatform.h"
#include "velk/SimulatedBackend.h"

namespace olvar::test {

PageHarness::PageHarness(PageHarnessOptions options) : m_options(std::move(options)) {
    std::filesystem::remove_all(m_options.configDirectory);
    std::filesystem::create_directories(m_options.configDirectory);
    m_hostOptions.configDirectory = m_options.configDirectory.string();
    m_hostOptions.command = "serve";
    m_hostOptions.backend = m_options.backend;
    if (m_options.scenario.devices.empty()) {
        auto events = std::move(m_options.scenario.events);
        m_options.scenario = olvar::velk::builtInDefaultScenario();
        m_options.scenario.events = std::move(events);
    }
    if (!m_session.open(m_hostOptions, m_options.scenario, Host::FileAccess::ReadOnly, m_error)) return;
    m_context = std::make_unique<Host::CommandContext>(
        Host::CommandContext{m_hostOptions, m_options.scenario, m_session, m_output, m_interruption});
    Host::SettingsAppOptions app;
    app.server.token = m_token;
    app.server.webRoot = m_options.webRoot;
    app.server.limits = m_options.limits;
    app.micCheckLength = m_options.micCheckLength;
    app.backend = m_options.backend;
    m_page = std::make_unique<Host::SettingsPage>(*m_context, app);
    m_started = m_page->start(m_error);
}

PageHarness::~PageHarness() {
    if (m_page) m_page->stop();
    m_page.reset();
    m_session.close();
}

olvar::velk::SimulatedBackend& PageHarness::devices() { return *m_session.platform().backend(); }

}  // namespace olvar::test
