// A page as the tests and the benchmark see it: a Beast WebSocket client of the settings
// server, plus plain HTTP requests. Every wait has a timeout; nothing sleeps.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "server/Beast.h"

namespace olvar::test {

using namespace std::chrono_literals;
namespace web = Host::web;

constexpr std::chrono::milliseconds kWait = 10s;

struct HttpReply {
    int status = 0;  // 0: no answer (the connection was closed or timed out)
    std::map<std::string, std::string> headers;  // lower-case names
    std::string body;
};

// One HTTP request on a fresh connection. headers may set Host, Cookie, Origin, ...
HttpReply httpGet(unsigned short port, const std::string& target, const std::map<std::string, std::string>& headers = {});

class PageClient {
public:
    PageClient();
    ~PageClient();
    PageClient(const PageClient&) = delete;
    PageClient& operator=(const PageClient&) = delete;

    // Opens /ws?token=..., with extra headers (Origin, Host). False with the status the server
    // answered (0 when it closed the connection first). receiveBuffer: the socket's receive
    // buffer in bytes, 0 for the system's.
    bool connect(unsigned short port, const std::string& token, const std::map<std::string, std::string>& headers = {},
                 int receiveBuffer = 0);
    int refusedStatus() const { return m_refusedStatus; }
    // The first message (the state), read by connect.
    const nlohmann::json& welcome() const { return m_welcome; }

    bool sendText(const std::string& text);
    // The next message; empty on a timeout or when the connection ended.
    std::optional<nlohmann::json> next(std::chrono::milliseconds timeout = kWait);
    // The first message that matches; those passed over stay for later calls, in order
    // (an event may come before the reply to the request that caused it). Empty when none
    // came in time.
    std::optional<nlohmann::json> waitFor(const std::function<bool(const nlohmann::json&)>& match,
                                          std::chrono::milliseconds timeout = kWait);
    // The next event of that kind.
    std::optional<nlohmann::json> event(const std::string& kind, std::chrono::milliseconds timeout = kWait);
    // Sends the request with a fresh id and returns its reply.
    std::optional<nlohmann::json> request(nlohmann::json request);
    // True once the server closed the connection (after whatever it had sent).
    bool closedByServer(std::chrono::milliseconds timeout = kWait);
    bool ended() const { return m_ended; }

private:
    // Runs the context until done is set or the timeout passes; then stops whatever runs.
    bool run(const bool& done, std::chrono::milliseconds timeout);
    std::optional<nlohmann::json> receive(std::chrono::milliseconds timeout);

    web::asio::io_context m_context;
    web::websocket::stream<web::beast::tcp_stream> m_socket;
    web::beast::flat_buffer m_buffer;
    nlohmann::json m_welcome;
    std::deque<nlohmann::json> m_passedOver;
    int m_refusedStatus = 0;
    bool m_ended = false;
    int m_nextId = 1;
};

}  // namespace olvar::test
