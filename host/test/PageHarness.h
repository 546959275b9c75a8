// The settings page served in-process for tests and benchmarks: the module on the simulated
// device manager, as serve runs it, with a web root of the caller's.
#pragma once

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "Commands.h"
#include "HostOptions.h"
#include "HostSession.h"
#include "Interruption.h"
#include "Output.h"
#include "commands/SettingsPage.h"
#include "velk/Scenario.h"

namespace olvar::velk {
class SimulatedBackend;
}

namespace olvar::test {

struct PageHarnessOptions {
    std::filesystem::path configDirectory;  // made empty first
    std::filesystem::path webRoot;
    Host::web::ServerLimits limits;
    std::chrono::milliseconds micCheckLength{300};
    olvar::velk::Scenario scenario;  // empty devices: the built-in ones
    std::string backend = "simulated";  // or "pulse": the server PULSE_SERVER names
};

class PageHarness {
public:
    explicit PageHarness(PageHarnessOptions options);
    ~PageHarness();
    PageHarness(const PageHarness&) = delete;
    PageHarness& operator=(const PageHarness&) = delete;

    bool started() const { return m_started; }
    const std::string& error() const { return m_error; }
    unsigned short port() { return page().app().server().port(); }
    const std::string& token() const { return m_token; }
    Host::SettingsPage& page() { return *m_page; }
    Host::HostSession& session() { return m_session; }
    olvar::velk::SimulatedBackend& devices();  // on the simulated backend

private:
    PageHarnessOptions m_options;
    Host::HostOptions m_hostOptions;
    Host::Interruption m_interruption;
    Host::HostSession m_session;
    std::ostringstream m_discarded;
    Host::Output m_output{m_discarded, Host::OutputFormat::Text};
    std::unique_ptr<Host::CommandContext> m_context;
    std::unique_ptr<Host::SettingsPage> m_page;
    std::string m_token = "0123456789abcdef0123456789abcdef";
    std::string m_error;
    bool m_started = false;
};

}  // namespace olvar::test
