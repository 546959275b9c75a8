#include "SettingsApp.h"

#include "../DeviceState.h"
#include "../HostSession.h"
#include "MicrophoneCheck.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {
namespace {

std::optional<MediaDeviceType> typeOf(const nlohmann::ordered_json& event) {
    if (!event.contains("type") || !event.at("type").is_string()) return std::nullopt;
    return parseDeviceType(event.at("type").get<std::string>());
}

}  // namespace

SettingsApp::SettingsApp(HostSession& session, SettingsAppOptions options)
    : m_session(session),
      m_options(std::move(options)),
      m_sounds(m_folder.path(), m_options.soundsDirectory),
      m_meters(session) {
    m_micCheck = std::make_unique<MicrophoneCheck>(session, m_folder.path(), m_options.micCheckLength,
                                                    [this](nlohmann::ordered_json event) { publish(std::move(event)); });
    ApiRequests::Hooks hooks;
    hooks.stateDocument = [this] {
        nlohmann::ordered_json document;
        m_session.onDispatcher([&] { document = stateDocument(); }, "Host::pageState");
        return document;
    };
    hooks.publishEvent = [this](nlohmann::ordered_json event) { publish(std::move(event)); };
    hooks.startMicCheck = [this](const std::string& device) { return m_micCheck->start(device); };
    hooks.metersChanged = [this] {
        { std::lock_guard<std::mutex> lock(m_meterMutex); }  // the feed is waiting, or sees the change
        m_meterChanged.notify_all();
    };
    m_requests = std::make_unique<ApiRequests>(session, m_sounds, m_meters, std::move(hooks));
    m_server = std::make_unique<web::SettingsServer>(m_options.server, *this);
}

SettingsApp::~SettingsApp() { stop(); }

bool SettingsApp::start(std::string& error) {
    if (m_folder.path().empty()) {
        error = "cannot make a runtime folder for the page's sounds";
        return false;
    }
    m_requestQueue = std::make_unique<WorkQueue>("page-requests");
    m_meterThread = std::thread([this] { feedMeters(); });
    // Listening before anything publishes; a page that comes meanwhile is welcomed after.
    if (!m_server->start(error)) return false;
    m_session.onDispatcher(
        [this] {
            for (const auto& entry : kDeviceTypes)
                for (const auto& device : readTypeState(m_session.service(), entry.type, {}).available)
                    m_available[entry.name].push_back(device.selectionId);
            auto& service = m_session.service();
            m_soundsFinished = service.getMediaDeviceServiceNotifiers()->getSoundPlayFinishedNotifier()->connect(
                [this, &service] {
                    const long session = service.getSoundPlayFinished();
                    m_micCheck->soundFinished(session);
                    publish({{"event", "SoundPlayFinished"}, {"session", session}});
                });
        },
        "Host::pageWatch");
    return true;
}

void SettingsApp::stop() {
    if (!m_requestQueue) return;
    m_server->stop();
    m_requestQueue.reset();  // runs what the pages asked before they went
    {
        std::lock_guard<std::mutex> lock(m_meterMutex);
        m_stopping = true;
    }
    m_meterChanged.notify_all();
    m_meterThread.join();
    m_micCheck->stop();
    m_meters.stopAll();
    m_session.drain();
    m_session.onDispatcher(
        [this] {
            if (auto connection = m_soundsFinished.lock()) connection->disconnect();
        },
        "Host::pageUnwatch");
}

nlohmann::ordered_json SettingsApp::stateDocument() {
    return {{"backend", m_options.backend},
            {"sounds", m_sounds.names()},
            {"state", toJson(readServiceState(m_session.service(), m_session.deviceInUse()))}};
}

void SettingsApp::report(nlohmann::ordered_json event) {
    const std::string kind = event.value("event", "");
    auto& service = m_session.service();
    if (kind == "DeviceAdded" || kind == "DeviceRemoved") {
        const auto states = readServiceState(service, m_session.deviceInUse());
        // The devices that came or went: the difference to the available devices last seen.
        auto changed = nlohmann::ordered_json::array();
        for (const auto& state : states) {
            const std::string type = deviceTypeName(state.type);
            std::vector<std::string> now;
            for (const auto& device : state.available) now.push_back(device.selectionId);
            const auto& before = m_available[type];
            const bool added = kind == "DeviceAdded";
            for (const auto& device : added ? state.available : std::vector<DeviceEntry>{})
                if (std::find(before.begin(), before.end(), device.selectionId) == before.end())
                    changed.push_back({{"type", type}, {"name", device.name}, {"selectionId", device.selectionId}});
            if (!added)
                for (const auto& id : before)
                    if (std::find(now.begin(), now.end(), id) == now.end()) {
                        std::string name = id;
                        for (const auto& device : state.preferred)
                            if (device.selectionId == id) name = device.name;
                        changed.push_back({{"type", type}, {"name", name}, {"selectionId", id}});
                    }
            m_available[type] = now;
        }
        event["devices"] = changed;
        event["state"] = toJson(states);
    } else if (kind.rfind("Current", 0) == 0 || kind == "PreferredList") {
        if (const auto type = typeOf(event)) event["state"] = toJson(readTypeState(service, *type, m_session.deviceInUse()));
    }
    publish(std::move(event));
}

void SettingsApp::publish(nlohmann::ordered_json event) {
    // Stamped here whatever the event came with, so that every event the page sees counts on
    // one clock, the server's.
    event["ms"] = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start).count();
    m_server->publish(nlohmann::ordered_json{{"type", "event"}, {"event", std::move(event)}}.dump());
}

void SettingsApp::joined(web::ConnectionId, web::Send welcome) {
    // Read on the services dispatcher, where the events are made too: the page gets every
    // event after this state and none before it.
    m_session.postToDispatcher(
        [this, welcome = std::move(welcome)] {
            nlohmann::ordered_json message = {{"type", "state"}};
            message.update(stateDocument());
            welcome(message.dump());
        },
        "Host::pageJoined");
}

void SettingsApp::request(web::ConnectionId connection, std::string text, web::Send reply) {
    m_requestQueue->post([this, connection, text = std::move(text), reply = std::move(reply)] {
        reply(m_requests->handle(connection, text));
    });
}

void SettingsApp::left(web::ConnectionId connection) {
    m_requestQueue->post([this, connection] { m_requests->connectionClosed(connection); });
}

void SettingsApp::feedMeters() {
    std::unique_lock<std::mutex> lock(m_meterMutex);
    while (!m_stopping) {
        if (m_meters.empty()) {
            m_meterChanged.wait(lock);
            continue;
        }
        m_meterChanged.wait_for(lock, m_options.meterInterval);
        // One reading at a time: a busy dispatcher gets no pile of them.
        if (m_stopping || m_meters.empty() || m_readingMeters.exchange(true)) continue;
        m_session.postToDispatcher(
            [this] {
                for (const auto& [device, level] : m_meters.readOnDispatcher())
                    publish({{"event", "Peak"}, {"device", device}, {"level", level}});
                m_readingMeters = false;
            },
            "Host::pageMeters");
    }
}

}  // namespace Host
