// What stands behind the settings server: the service's state as the page's first message,
// its notifications turned into events for every page, the page's requests run through the
// shared operations, the meters fed while a page has them on, and the microphone check.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "../operations/MicrophoneMeters.h"
#include "ApiRequests.h"
#include "SettingsServer.h"
#include "SoundLibrary.h"
#include "WorkQueue.h"

namespace OlvarUnified {
class PropertyNotifierConnection;
}

namespace Host {

class HostSession;
class MicrophoneCheck;

struct SettingsAppOptions {
    web::ServerOptions server;
    std::filesystem::path soundsDirectory;  // empty: the synthesised tone only
    std::string backend = "simulated";
    std::chrono::milliseconds meterInterval{40};
    std::chrono::milliseconds micCheckLength{3000};
};

class SettingsApp : public web::ServerClient {
public:
    SettingsApp(HostSession& session, SettingsAppOptions options);
    ~SettingsApp() override;  // stops
    SettingsApp(const SettingsApp&) = delete;
    SettingsApp& operator=(const SettingsApp&) = delete;

    bool start(std::string& error);
    // Closes every page, then stops the requests, the meters and a running check.
    void stop();
    web::SettingsServer& server() { return *m_server; }

    // A change as NotificationWatch reports it, on the services dispatcher: completed with
    // what the page needs to redraw and published.
    void report(nlohmann::ordered_json event);

    void joined(web::ConnectionId connection, web::Send welcome) override;
    void request(web::ConnectionId connection, std::string text, web::Send reply) override;
    void left(web::ConnectionId connection) override;

private:
    nlohmann::ordered_json stateDocument();  // on the services dispatcher
    void publish(nlohmann::ordered_json event);
    void feedMeters();

    HostSession& m_session;
    SettingsAppOptions m_options;
    RuntimeFolder m_folder;
    SoundLibrary m_sounds;
    MicrophoneMeters m_meters;
    std::unique_ptr<MicrophoneCheck> m_micCheck;
    std::unique_ptr<ApiRequests> m_requests;
    std::unique_ptr<web::SettingsServer> m_server;
    std::unique_ptr<WorkQueue> m_requestQueue;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();

    // Touched on the services dispatcher only.
    std::map<std::string, std::vector<std::string>> m_available;  // selection ids per type
    std::weak_ptr<OlvarUnified::PropertyNotifierConnection> m_soundsFinished;

    // The meter feed's thread.
    std::mutex m_meterMutex;
    std::condition_variable m_meterChanged;
    bool m_stopping = false;
    std::atomic<bool> m_readingMeters{false};
    std::thread m_meterThread;
};

}  // namespace Host
