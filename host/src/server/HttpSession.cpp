#include "HttpSession.h"

#include <chrono>
#include <fstream>
#include <sstream>

#include "SecurityHeaders.h"
#include "WebSocketSession.h"

namespace Host::web {
namespace {

std::string_view view(beast::string_view text) { return {text.data(), text.size()}; }

constexpr std::size_t kMaxHeaderBytes = 8 * 1024;
// A client that sends its request this slowly holds a connection slot for nothing.
constexpr std::chrono::seconds kRequestTimeout{30};

}  // namespace

HttpSession::HttpSession(tcp::socket&& socket, std::unique_ptr<ServerHub::Slot> slot, ConnectionId id)
    : m_stream(std::move(socket)), m_slot(std::move(slot)), m_id(id) {}

void HttpSession::start() {
    m_slot->onShutdown([weak = weak_from_this()] {
        if (auto self = weak.lock()) {
            beast::error_code ignored;
            self->m_stream.socket().close(ignored);
        }
    });
    read();
}

void HttpSession::read() {
    m_parser.emplace();
    m_parser->header_limit(kMaxHeaderBytes);
    m_parser->body_limit(m_slot->hub().options().limits.maxMessageBytes);
    m_stream.expires_after(kRequestTimeout);
    http::async_read(m_stream, m_buffer, *m_parser, [self = shared_from_this()](beast::error_code error, std::size_t) {
        if (error == http::error::end_of_stream) {
            beast::error_code ignored;
            self->m_stream.socket().shutdown(tcp::socket::shutdown_send, ignored);
            return;
        }
        if (error) return;  // a malformed or oversized request ends the connection
        self->handle();
    });
}

void HttpSession::handle() {
    const auto& request = m_parser->get();
    const auto& policy = m_slot->hub().policy();
    if (!policy.hostAllowed(view(request[http::field::host])))
        return respond(refusal(http::status::forbidden, "Forbidden: this server answers to its own address only\n"));
    const Target target = splitTarget(view(request.target()));
    if (!target.valid) return respond(refusal(http::status::not_found, "Not found\n"));
    if (!policy.tokenAllowed(target.query, view(request[http::field::cookie])))
        return respond(refusal(http::status::forbidden, "Forbidden: open the address the server printed, with its token\n"));

    if (websocket::is_upgrade(request)) {
        if (target.path != "/ws") return respond(refusal(http::status::not_found, "Not found\n"));
        const auto origin = request.find(http::field::origin);
        if (!policy.originAllowed(origin == request.end() ? std::nullopt
                                                          : std::optional<std::string_view>(view(origin->value()))))
            return respond(refusal(http::status::forbidden, "Forbidden: a page of another site\n"));
        auto session = std::make_shared<WebSocketSession>(std::move(m_stream), std::move(m_slot), m_id);
        session->accept(m_parser->release());
        return;
    }
    if (request.method() != http::verb::get && request.method() != http::verb::head)
        return respond(refusal(http::status::method_not_allowed, "Only GET and HEAD\n"));
    const bool tokenInQuery = queryParameter(target.query, "token").has_value();
    respond(file(target.path, tokenInQuery));
}

http::response<http::string_body> HttpSession::refusal(http::status status, const char* text) const {
    http::response<http::string_body> response{status, m_parser->get().version()};
    addSecurityHeaders(response);
    response.set(http::field::content_type, "text/plain; charset=utf-8");
    response.body() = text;
    return response;
}

http::response<http::string_body> HttpSession::file(const std::string& path, bool tokenInQuery) const {
    const auto found = resolveWebFile(m_slot->hub().options().webRoot, path);
    if (!found) return refusal(http::status::not_found, "Not found\n");
    std::ifstream in(*found, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) return refusal(http::status::not_found, "Not found\n");

    http::response<http::string_body> response{http::status::ok, m_parser->get().version()};
    addSecurityHeaders(response);
    response.set(http::field::content_type, contentTypeOf(*found));
    // The page's own later requests (scripts, the WebSocket) carry the token in this cookie.
    if (tokenInQuery)
        response.set(http::field::set_cookie, std::string(kTokenCookie) + "=" + m_slot->hub().policy().token() +
                                                  "; HttpOnly; SameSite=Strict; Path=/");
    if (m_parser->get().method() != http::verb::head) response.body() = bytes.str();
    return response;
}

void HttpSession::respond(http::response<http::string_body> response) {
    response.keep_alive(m_parser->get().keep_alive());
    response.prepare_payload();
    auto shared = std::make_shared<http::response<http::string_body>>(std::move(response));
    http::async_write(m_stream, *shared, [self = shared_from_this(), shared](beast::error_code error, std::size_t) {
        if (error || !shared->keep_alive()) {
            beast::error_code ignored;
            self->m_stream.socket().shutdown(tcp::socket::shutdown_send, ignored);
            return;
        }
        self->read();
    });
}

}  // namespace Host::web
