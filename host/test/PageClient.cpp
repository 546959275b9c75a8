#include "PageClient.h"

#include <algorithm>

namespace olvar::test {

using nlohmann::json;
namespace asio = web::asio;
namespace beast = web::beast;
namespace http = web::http;
namespace websocket = web::websocket;
using web::tcp;

namespace {

bool runUntil(asio::io_context& context, const bool& done, std::chrono::milliseconds timeout,
              const std::function<void()>& cancel) {
    context.restart();
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done && std::chrono::steady_clock::now() < deadline && !context.stopped())
        context.run_one_until(deadline);
    if (done) return true;
    cancel();
    context.restart();
    context.run();  // lets the cancelled operations finish
    return false;
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

HttpReply httpGet(unsigned short port, const std::string& target, const std::map<std::string, std::string>& headers) {
    asio::io_context context;
    beast::tcp_stream stream(context);
    http::request<http::empty_body> request{http::verb::get, target, 11};
    request.set(http::field::host, "127.0.0.1:" + std::to_string(port));
    for (const auto& [name, value] : headers) request.set(name, value);
    request.keep_alive(false);
    http::response<http::string_body> response;
    beast::flat_buffer buffer;
    bool done = false;
    beast::error_code failure;
    stream.async_connect(tcp::endpoint(asio::ip::make_address("127.0.0.1"), port), [&](beast::error_code error) {
        if (error) {
            failure = error;
            done = true;
            return;
        }
        http::async_write(stream, request, [&](beast::error_code error, std::size_t) {
            if (error) {
                failure = error;
                done = true;
                return;
            }
            http::async_read(stream, buffer, response, [&](beast::error_code error, std::size_t) {
                failure = error;
                done = true;
            });
        });
    });
    HttpReply reply;
    if (!runUntil(context, done, kWait, [&] { stream.close(); }) || failure) return reply;
    reply.status = static_cast<int>(response.result_int());
    for (const auto& field : response) reply.headers[lowerCase(std::string(field.name_string()))] = std::string(field.value());
    reply.body = response.body();
    return reply;
}

PageClient::PageClient() : m_socket(m_context) {}
PageClient::~PageClient() {
    beast::error_code ignored;
    beast::get_lowest_layer(m_socket).socket().close(ignored);
}

bool PageClient::run(const bool& done, std::chrono::milliseconds timeout) {
    return runUntil(m_context, done, timeout, [this] { beast::get_lowest_layer(m_socket).close(); });
}

bool PageClient::connect(unsigned short port, const std::string& token, const std::map<std::string, std::string>& headers,
                         int receiveBuffer) {
    auto& socket = beast::get_lowest_layer(m_socket).socket();
    beast::error_code failure;
    socket.open(tcp::v4(), failure);
    if (receiveBuffer > 0) socket.set_option(asio::socket_base::receive_buffer_size(receiveBuffer), failure);
    socket.connect(tcp::endpoint(asio::ip::make_address("127.0.0.1"), port), failure);
    if (failure) return false;
    m_socket.set_option(websocket::stream_base::decorator([headers](websocket::request_type& request) {
        for (const auto& [name, value] : headers)
            if (name != "Host") request.set(name, value);
    }));
    const auto host = headers.count("Host") ? headers.at("Host") : "127.0.0.1:" + std::to_string(port);
    websocket::response_type response;
    bool done = false;
    m_socket.async_handshake(response, host, "/ws?token=" + token, [&](beast::error_code error) {
        failure = error;
        done = true;
    });
    if (!run(done, kWait) || failure) {
        m_refusedStatus = static_cast<int>(response.result_int());
        m_ended = true;
        return false;
    }
    m_socket.read_message_max(1 << 24);
    auto first = receive(kWait);
    if (!first) return false;
    m_welcome = *first;
    return true;
}

bool PageClient::sendText(const std::string& text) {
    bool done = false;
    beast::error_code failure;
    m_socket.text(true);
    m_socket.async_write(asio::buffer(text), [&](beast::error_code error, std::size_t) {
        failure = error;
        done = true;
    });
    return run(done, kWait) && !failure;
}

std::optional<json> PageClient::next(std::chrono::milliseconds timeout) {
    if (!m_passedOver.empty()) {
        json message = std::move(m_passedOver.front());
        m_passedOver.pop_front();
        return message;
    }
    return receive(timeout);
}

std::optional<json> PageClient::receive(std::chrono::milliseconds timeout) {
    if (m_ended) return std::nullopt;
    bool done = false;
    beast::error_code failure;
    m_socket.async_read(m_buffer, [&](beast::error_code error, std::size_t) {
        failure = error;
        done = true;
    });
    if (!run(done, timeout) || failure) {
        m_ended = true;
        return std::nullopt;
    }
    const std::string text = beast::buffers_to_string(m_buffer.data());
    m_buffer.consume(m_buffer.size());
    return json::parse(text);
}

std::optional<json> PageClient::waitFor(const std::function<bool(const json&)>& match, std::chrono::milliseconds timeout) {
    for (auto seen = m_passedOver.begin(); seen != m_passedOver.end(); ++seen) {
        if (!match(*seen)) continue;
        json message = std::move(*seen);
        m_passedOver.erase(seen);
        return message;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left <= 0ms) return std::nullopt;
        auto message = receive(left);
        if (!message) return std::nullopt;
        if (match(*message)) return message;
        m_passedOver.push_back(std::move(*message));
    }
}

std::optional<json> PageClient::event(const std::string& kind, std::chrono::milliseconds timeout) {
    auto message = waitFor(
        [&](const json& m) { return m.value("type", "") == "event" && m.at("event").value("event", "") == kind; },
        timeout);
    if (!message) return std::nullopt;
    return message->at("event");
}

std::optional<json> PageClient::request(json request) {
    const int id = m_nextId++;
    request["id"] = id;
    if (!sendText(request.dump())) return std::nullopt;
    return waitFor([&](const json& m) { return m.value("type", "") == "reply" && m.at("id") == id; });
}

bool PageClient::closedByServer(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        bool done = false;
        beast::error_code failure;
        m_socket.async_read(m_buffer, [&](beast::error_code error, std::size_t) {
            failure = error;
            done = true;
        });
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (!run(done, std::max(left, 1ms))) return false;  // still open at the deadline
        m_buffer.consume(m_buffer.size());
        if (failure) {
            m_ended = true;
            return failure != asio::error::operation_aborted;
        }
    }
    return false;
}

}  // namespace olvar::test
