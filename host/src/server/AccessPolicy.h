// Who may use the settings server: the token (in the query or the cookie), the Host header
// against DNS rebinding, the Origin of a WebSocket upgrade against cross-site use, and the
// files under the web root. Plain functions of the request's texts, so each defence is
// checked on its own.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Host::web {

inline constexpr const char* kTokenCookie = "mds_token";

// "%2e%2E" to "..", "+" left alone; empty for a malformed escape or an encoded NUL.
std::optional<std::string> percentDecode(std::string_view text);

struct Target {
    std::string path;   // decoded
    std::string query;  // as sent
    bool valid = false;
};
Target splitTarget(std::string_view target);

// The decoded value of a query parameter or a cookie; empty when absent.
std::optional<std::string> queryParameter(std::string_view query, std::string_view name);
std::optional<std::string> cookieValue(std::string_view cookieHeader, std::string_view name);

// Compares without stopping at the first difference, so timing tells nothing of the token.
bool sameToken(std::string_view given, std::string_view token);

class AccessPolicy {
public:
    // bindAddress as given to --bind; port the one the server listens on.
    AccessPolicy(std::string token, const std::string& bindAddress, unsigned short port);

    const std::string& token() const { return m_token; }
    // The loopback names and the bound address, each with the port.
    bool hostAllowed(std::string_view host) const;
    // An upgrade without Origin comes from a program, not a page; one with it must come
    // from a page of this server.
    bool originAllowed(std::optional<std::string_view> origin) const;
    bool tokenAllowed(std::string_view query, std::string_view cookieHeader) const;

private:
    std::string m_token;
    std::vector<std::string> m_hosts;  // lower case, "name:port"
};

// The file under root that a decoded request path names, after following symbolic links;
// empty when it is not a regular file inside root or the path has a "." or ".." segment.
std::optional<std::filesystem::path> resolveWebFile(const std::filesystem::path& root, const std::string& path);
const char* contentTypeOf(const std::filesystem::path& file);

}  // namespace Host::web
