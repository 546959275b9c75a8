#include "WebSocketSession.h"

#include "SecurityHeaders.h"

namespace Host::web {

WebSocketSession::WebSocketSession(beast::tcp_stream&& stream, std::unique_ptr<ServerHub::Slot> slot, ConnectionId id)
    : m_socket(std::move(stream)), m_slot(std::move(slot)), m_id(id) {}

void WebSocketSession::accept(http::request<http::string_body> request) {
    m_slot->onShutdown([weak = weak_from_this()] {
        if (auto self = weak.lock()) self->close();
    });
    beast::get_lowest_layer(m_socket).expires_never();
    m_socket.set_option(websocket::stream_base::timeout::suggested(beast::role_type::server));
    m_socket.set_option(
        websocket::stream_base::decorator([](websocket::response_type& response) { addSecurityHeaders(response); }));
    m_socket.read_message_max(m_slot->hub().options().limits.maxMessageBytes);
    m_socket.text(true);
    m_socket.async_accept(request, [self = shared_from_this()](beast::error_code error) {
        if (error) return self->close();
        self->m_slot->hub().joined(self);
        self->read();
    });
}

void WebSocketSession::read() {
    m_socket.async_read(m_buffer, [self = shared_from_this()](beast::error_code error, std::size_t) {
        // An oversized message ends here too: the stream has closed with "too big" already.
        if (error) return self->close();
        std::string text = beast::buffers_to_string(self->m_buffer.data());
        self->m_buffer.consume(self->m_buffer.size());
        self->m_slot->hub().request(self, std::move(text));
        // A page that asks faster than its requests are answered is not read meanwhile, so
        // its requests never pile up behind the others'.
        if (++self->m_pendingRequests >= self->m_slot->hub().options().limits.pendingRequests)
            self->m_readingHeld = true;
        else
            self->read();
    });
}

void WebSocketSession::requestAnswered() {
    if (m_pendingRequests > 0) --m_pendingRequests;
    if (m_readingHeld && !m_closed) {
        m_readingHeld = false;
        read();
    }
}

void WebSocketSession::send(std::shared_ptr<const std::string> message) {
    if (m_closed) return;
    if (m_queue.size() >= m_slot->hub().options().limits.sendQueue) {
        // Waiting for this page would hold back every message behind it: it reconnects and
        // starts again from a fresh state instead.
        close();
        return;
    }
    m_queue.push_back(std::move(message));
    if (!m_writing) write();
}

void WebSocketSession::write() {
    m_writing = true;
    // The message in flight lives here until its write ends, whatever happens to the queue.
    m_inFlight = std::move(m_queue.front());
    m_queue.pop_front();
    m_socket.async_write(asio::buffer(*m_inFlight), [self = shared_from_this()](beast::error_code error, std::size_t) {
        self->m_writing = false;
        self->m_inFlight.reset();
        if (error) return self->close();
        if (!self->m_queue.empty() && !self->m_closed) self->write();
    });
}

void WebSocketSession::close() {
    if (m_closed) return;
    m_closed = true;
    m_queue.clear();
    beast::error_code ignored;
    beast::get_lowest_layer(m_socket).socket().shutdown(tcp::socket::shutdown_both, ignored);
    beast::get_lowest_layer(m_socket).socket().close(ignored);
    m_slot->hub().left(*this);
}

}  // namespace Host::web
