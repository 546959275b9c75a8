// Boost.Asio and Boost.Beast as the settings server uses them. Included in place of the Boost
// headers: Boost 1.74's asio/awaitable.hpp uses std::exchange without including <utility>,
// which GCC 12 in C++20 mode does not bring in on its own.
#pragma once

#include <utility>

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/strand.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>

namespace Host::web {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = boost::beast::http;
namespace websocket = boost::beast::websocket;
using tcp = boost::asio::ip::tcp;

}  // namespace Host::web
