#include "SettingsServer.h"

#include "HttpSession.h"
#include "ServerHub.h"
#include "WebSocketSession.h"

namespace Host::web {
namespace {

// Accepts connections while the hub has room; the rest are closed before a byte is read.
class Listener : public std::enable_shared_from_this<Listener> {
public:
    Listener(std::shared_ptr<ServerHub> hub, tcp::acceptor&& acceptor)
        : m_hub(std::move(hub)), m_acceptor(std::move(acceptor)) {}

    void accept() {
        m_acceptor.async_accept([self = shared_from_this()](beast::error_code error, tcp::socket socket) {
            if (error == asio::error::operation_aborted || !self->m_acceptor.is_open()) return;
            if (!error) self->take(std::move(socket));
            self->accept();
        });
    }
    void close() {
        beast::error_code ignored;
        m_acceptor.close(ignored);
    }
    ConnectionId nextId() { return ++m_nextId; }

private:
    void take(tcp::socket socket) {
        beast::error_code ignored;
        if (m_hub->full()) {
            socket.close(ignored);
            return;
        }
        socket.set_option(tcp::no_delay(true), ignored);
        if (const int bytes = m_hub->options().limits.socketSendBuffer; bytes > 0)
            socket.set_option(asio::socket_base::send_buffer_size(bytes), ignored);
        const ConnectionId id = nextId();
        auto slot = std::make_unique<ServerHub::Slot>(m_hub, id);
        std::make_shared<HttpSession>(std::move(socket), std::move(slot), id)->start();
    }

    std::shared_ptr<ServerHub> m_hub;
    tcp::acceptor m_acceptor;
    ConnectionId m_nextId = 0;
};

std::string urlHost(const std::string& address) {
    return address.find(':') != std::string::npos ? "[" + address + "]" : address;
}

}  // namespace

SettingsServer::SettingsServer(ServerOptions options, ServerClient& client)
    : m_options(std::move(options)), m_client(client) {}

SettingsServer::~SettingsServer() { stop(); }

bool SettingsServer::start(std::string& error) {
    beast::error_code failure;
    const auto address = asio::ip::make_address(m_options.bindAddress, failure);
    if (failure) {
        error = "--bind " + m_options.bindAddress + " is not an IP address";
        return false;
    }
    // The hub's context exists before the acceptor that runs on it.
    auto context = std::make_shared<asio::io_context>(1);
    tcp::acceptor acceptor(*context);
    const tcp::endpoint endpoint(address, m_options.port);
    acceptor.open(endpoint.protocol(), failure);
    if (!failure) acceptor.set_option(asio::socket_base::reuse_address(true), failure);
    if (!failure) acceptor.bind(endpoint, failure);
    if (!failure) acceptor.listen(asio::socket_base::max_listen_connections, failure);
    if (failure) {
        error = "cannot listen on " + urlHost(m_options.bindAddress) + ":" + std::to_string(m_options.port) + ": " +
                failure.message();
        return false;
    }
    m_address = acceptor.local_endpoint().address().to_string();
    m_port = acceptor.local_endpoint().port();
    m_hub = std::make_shared<ServerHub>(m_options, m_client, AccessPolicy(m_options.token, m_address, m_port));
    // The acceptor moves onto the hub's own context.
    tcp::acceptor onHub(m_hub->context(), endpoint.protocol(), acceptor.release());
    auto listener = std::make_shared<Listener>(m_hub, std::move(onHub));
    m_hub->closeListener = [weak = std::weak_ptr<Listener>(listener)] {
        if (auto held = weak.lock()) held->close();
    };
    listener->accept();
    m_hub->keepRunning();
    m_thread = std::thread([hub = m_hub] { hub->context().run(); });
    return true;
}

void SettingsServer::stop() {
    if (!m_thread.joinable()) return;
    asio::post(m_hub->context(), [hub = m_hub] { hub->shutdown(); });
    m_thread.join();
    m_hub->closeListener = nullptr;
}

std::string SettingsServer::pageUrl() const {
    return "http://" + urlHost(m_address) + ":" + std::to_string(m_port) + "/?token=" + m_options.token;
}

void SettingsServer::publish(std::string message) {
    if (!m_hub) return;
    auto shared = std::make_shared<const std::string>(std::move(message));
    asio::post(m_hub->context(), [weak = std::weak_ptr<ServerHub>(m_hub), shared] {
        if (auto hub = weak.lock()) hub->broadcast(shared);
    });
}

}  // namespace Host::web
