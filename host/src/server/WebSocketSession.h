// One page's WebSocket: reads its requests one at a time and writes what it is sent from a
// bounded queue; a page that falls too far behind is closed rather than waited for.
#pragma once

#include <deque>
#include <memory>
#include <string>

#include "Beast.h"
#include "ServerHub.h"

namespace Host::web {

class WebSocketSession : public std::enable_shared_from_this<WebSocketSession> {
public:
    WebSocketSession(beast::tcp_stream&& stream, std::unique_ptr<ServerHub::Slot> slot, ConnectionId id);

    ConnectionId id() const { return m_id; }
    // Completes the upgrade the request asked for, then joins the hub.
    void accept(http::request<http::string_body> request);
    // On the server's thread.
    void send(std::shared_ptr<const std::string> message);
    // A request's reply went out: a page held back for having too many reads on.
    void requestAnswered();
    void close();

private:
    void read();
    void write();

    websocket::stream<beast::tcp_stream> m_socket;
    std::unique_ptr<ServerHub::Slot> m_slot;
    const ConnectionId m_id;
    beast::flat_buffer m_buffer;
    std::deque<std::shared_ptr<const std::string>> m_queue;
    std::shared_ptr<const std::string> m_inFlight;
    std::size_t m_pendingRequests = 0;
    bool m_readingHeld = false;
    bool m_writing = false;
    bool m_closed = false;
};

}  // namespace Host::web
