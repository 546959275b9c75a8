// One HTTP connection: checks each request against the access policy, serves files from the
// web root and hands a WebSocket upgrade at /ws to a WebSocketSession.
#pragma once

#include <memory>
#include <optional>

#include "Beast.h"
#include "ServerHub.h"

namespace Host::web {

class HttpSession : public std::enable_shared_from_this<HttpSession> {
public:
    HttpSession(tcp::socket&& socket, std::unique_ptr<ServerHub::Slot> slot, ConnectionId id);
    void start();

private:
    void read();
    void handle();
    void respond(http::response<http::string_body> response);
    http::response<http::string_body> refusal(http::status status, const char* text) const;
    http::response<http::string_body> file(const std::string& path, bool tokenInQuery) const;

    beast::tcp_stream m_stream;
    std::unique_ptr<ServerHub::Slot> m_slot;
    const ConnectionId m_id;
    beast::flat_buffer m_buffer;
    std::optional<http::request_parser<http::string_body>> m_parser;
};

}  // namespace Host::web
