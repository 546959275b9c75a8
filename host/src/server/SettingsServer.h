// The settings page's server: static files over HTTP and the API as a WebSocket at /ws, on
// a thread of its own. It knows nothing of the service: the application behind it produces
// the messages (ServerClient) and publishes events to every connected page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace Host::web {

class ServerHub;

struct ServerLimits {
    std::size_t maxConnections = 32;        // HTTP and WebSocket together; more are closed at once
    std::size_t maxMessageBytes = 64 * 1024;  // a WebSocket message, or an HTTP request's body
    std::size_t sendQueue = 256;            // messages waiting for a slow page before it is closed
    std::size_t pendingRequests = 16;       // a page's requests not answered yet; beyond, it is not read
    int socketSendBuffer = 0;               // bytes; 0 keeps the system's own
};

struct ServerOptions {
    std::string bindAddress = "127.0.0.1";
    unsigned short port = 0;  // 0: a free port
    std::string token;
    std::filesystem::path webRoot;
    ServerLimits limits;
};

using ConnectionId = std::uint64_t;
// Hands a message to one connection; callable from any thread, at any time (a message for a
// connection that has gone is dropped).
using Send = std::function<void(std::string message)>;

// The application behind the server. Called on the server's thread; must not block it.
class ServerClient {
public:
    virtual ~ServerClient() = default;
    // A page's WebSocket is open. Calling welcome once (from any thread) sends it the first
    // message and subscribes it: it gets every message published after that call.
    virtual void joined(ConnectionId connection, Send welcome) = 0;
    virtual void request(ConnectionId connection, std::string text, Send reply) = 0;
    virtual void left(ConnectionId connection) = 0;
};

class SettingsServer {
public:
    SettingsServer(ServerOptions options, ServerClient& client);
    ~SettingsServer();  // stops
    SettingsServer(const SettingsServer&) = delete;
    SettingsServer& operator=(const SettingsServer&) = delete;

    // Binds and starts the server's thread; false with a reason.
    bool start(std::string& error);
    void stop();
    // The port it listens on, once started (43127).
    unsigned short port() const { return m_port; }
    // "http://127.0.0.1:43127/?token=..."
    std::string pageUrl() const;

    // Sends the message to every subscribed page; never waits (any thread).
    void publish(std::string message);

private:
    ServerOptions m_options;
    ServerClient& m_client;
    std::shared_ptr<ServerHub> m_hub;
    std::string m_address;
    unsigned short m_port = 0;
    std::thread m_thread;
};

}  // namespace Host::web
