// What the server's connections share, on the server's thread only: the I/O context, the
// access policy, the connection count and the subscribed pages.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "AccessPolicy.h"
#include "Beast.h"
#include "SettingsServer.h"

namespace Host::web {

class WebSocketSession;

class ServerHub : public std::enable_shared_from_this<ServerHub> {
public:
    ServerHub(ServerOptions options, ServerClient& client, AccessPolicy policy);

    asio::io_context& context() { return *m_context; }
    const ServerOptions& options() const { return m_options; }
    const AccessPolicy& policy() const { return m_policy; }

    // A connection holds its slot for as long as it lives, and tells it how to close it.
    class Slot {
    public:
        Slot(std::shared_ptr<ServerHub> hub, ConnectionId id) : m_hub(std::move(hub)), m_id(id) {
            m_hub->m_closers[id] = {};
        }
        ~Slot() { m_hub->m_closers.erase(m_id); }
        Slot(const Slot&) = delete;
        Slot& operator=(const Slot&) = delete;
        ServerHub& hub() { return *m_hub; }
        void onShutdown(std::function<void()> close) { m_hub->m_closers[m_id] = std::move(close); }

    private:
        std::shared_ptr<ServerHub> m_hub;
        const ConnectionId m_id;
    };
    bool full() const { return m_closers.size() >= m_options.limits.maxConnections; }

    // The server's thread runs until shutdown: it closes every connection and lets the
    // context run out of work.
    void keepRunning() { m_guard.emplace(m_context->get_executor()); }
    void shutdown();

    void joined(const std::shared_ptr<WebSocketSession>& session);
    void request(const std::shared_ptr<WebSocketSession>& session, std::string text);
    void left(WebSocketSession& session);
    void broadcast(const std::shared_ptr<const std::string>& message);

private:
    // A Send that reaches the session on the server's thread, if it is still there.
    Send sender(const std::shared_ptr<WebSocketSession>& session, bool subscribe);

    const ServerOptions m_options;
    ServerClient& m_client;
    const AccessPolicy m_policy;
    // Shared with the senders handed out, which may outlive the server.
    std::shared_ptr<asio::io_context> m_context = std::make_shared<asio::io_context>(1);
    std::optional<asio::executor_work_guard<asio::io_context::executor_type>> m_guard;
    std::map<ConnectionId, std::function<void()>> m_closers;
    std::map<ConnectionId, std::weak_ptr<WebSocketSession>> m_subscribers;
    // Owned here while open: a page whose reading is held has no operation keeping it alive.
    std::map<ConnectionId, std::shared_ptr<WebSocketSession>> m_open;

public:
    std::function<void()> closeListener;
};

}  // namespace Host::web
