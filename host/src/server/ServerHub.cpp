#include "ServerHub.h"

#include "WebSocketSession.h"

namespace Host::web {

ServerHub::ServerHub(ServerOptions options, ServerClient& client, AccessPolicy policy)
    : m_options(std::move(options)), m_client(client), m_policy(std::move(policy)) {}

Send ServerHub::sender(const std::shared_ptr<WebSocketSession>& session, bool subscribe) {
    std::weak_ptr<ServerHub> weakHub = shared_from_this();
    std::weak_ptr<WebSocketSession> weakSession = session;
    return [context = m_context, weakHub, weakSession, subscribe](std::string message) {
        asio::post(*context, [weakHub, weakSession, subscribe, message = std::move(message)]() mutable {
            auto session = weakSession.lock();
            auto hub = weakHub.lock();
            if (!session || !hub) return;
            if (subscribe && hub->m_open.count(session->id())) hub->m_subscribers[session->id()] = session;
            session->send(std::make_shared<const std::string>(std::move(message)));
            if (!subscribe) session->requestAnswered();
        });
    };
}

void ServerHub::joined(const std::shared_ptr<WebSocketSession>& session) {
    m_open[session->id()] = session;
    m_client.joined(session->id(), sender(session, true));
}

void ServerHub::request(const std::shared_ptr<WebSocketSession>& session, std::string text) {
    m_client.request(session->id(), std::move(text), sender(session, false));
}

void ServerHub::left(WebSocketSession& session) {
    m_subscribers.erase(session.id());
    const auto open = m_open.find(session.id());
    if (open == m_open.end()) return;
    // The session may be running its last handler: it goes once that returns.
    auto keep = std::move(open->second);
    m_open.erase(open);
    m_client.left(session.id());
}

void ServerHub::broadcast(const std::shared_ptr<const std::string>& message) {
    // A session that is closed while sending leaves the map: walk a copy.
    const auto subscribers = m_subscribers;
    for (const auto& [id, weak] : subscribers)
        if (auto session = weak.lock()) session->send(message);
}

void ServerHub::shutdown() {
    if (closeListener) closeListener();
    const auto closers = m_closers;
    for (const auto& [id, close] : closers)
        if (close) close();
    m_guard.reset();
}

}  // namespace Host::web
