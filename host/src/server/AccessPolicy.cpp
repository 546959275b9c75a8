#include "AccessPolicy.h"

#include <algorithm>
#include <cctype>

namespace Host::web {
namespace {

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<std::string> percentDecode(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = hexValue(text[i + 1]), low = hexValue(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        const char c = static_cast<char>(high * 16 + low);
        if (c == '\0') return std::nullopt;
        decoded += c;
        i += 2;
    }
    return decoded;
}

Target splitTarget(std::string_view target) {
    Target result;
    const auto question = target.find('?');
    const auto path = percentDecode(target.substr(0, question));
    if (!path || path->empty() || path->front() != '/') return result;
    result.path = *path;
    if (question != std::string_view::npos) result.query = std::string(target.substr(question + 1));
    result.valid = true;
    return result;
}

std::optional<std::string> queryParameter(std::string_view query, std::string_view name) {
    while (!query.empty()) {
        const auto amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        const auto equals = pair.find('=');
        if (pair.substr(0, equals) == name)
            return equals == std::string_view::npos ? std::string() : percentDecode(pair.substr(equals + 1));
        if (amp == std::string_view::npos) break;
        query.remove_prefix(amp + 1);
    }
    return std::nullopt;
}

std::optional<std::string> cookieValue(std::string_view header, std::string_view name) {
    while (!header.empty()) {
        const auto semicolon = header.find(';');
        const std::string_view pair = trimmed(header.substr(0, semicolon));
        const auto equals = pair.find('=');
        if (equals != std::string_view::npos && pair.substr(0, equals) == name)
            return std::string(pair.substr(equals + 1));
        if (semicolon == std::string_view::npos) break;
        header.remove_prefix(semicolon + 1);
    }
    return std::nullopt;
}

bool sameToken(std::string_view given, std::string_view token) {
    if (given.size() != token.size() || token.empty()) return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < token.size(); ++i)
        difference |= static_cast<unsigned char>(given[i] ^ token[i]);
    return difference == 0;
}

AccessPolicy::AccessPolicy(std::string token, const std::string& bindAddress, unsigned short port)
    : m_token(std::move(token)) {
    const std::string suffix = ":" + std::to_string(port);
    for (std::string name : {std::string("127.0.0.1"), std::string("localhost"), std::string("[::1]")})
        m_hosts.push_back(name + suffix);
    if (!bindAddress.empty()) {
        const bool v6 = bindAddress.find(':') != std::string::npos;
        m_hosts.push_back(lowerCase(v6 ? "[" + bindAddress + "]" : bindAddress) + suffix);
    }
}

bool AccessPolicy::hostAllowed(std::string_view host) const {
    const std::string lower = lowerCase(trimmed(host));
    return std::find(m_hosts.begin(), m_hosts.end(), lower) != m_hosts.end();
}

bool AccessPolicy::originAllowed(std::optional<std::string_view> origin) const {
    if (!origin) return true;
    const std::string lower = lowerCase(trimmed(*origin));
    constexpr std::string_view scheme = "http://";
    if (lower.rfind(scheme, 0) != 0) return false;
    return hostAllowed(std::string_view(lower).substr(scheme.size()));
}

bool AccessPolicy::tokenAllowed(std::string_view query, std::string_view cookieHeader) const {
    if (auto given = queryParameter(query, "token"); given && sameToken(*given, m_token)) return true;
    if (auto given = cookieValue(cookieHeader, kTokenCookie); given && sameToken(*given, m_token)) return true;
    return false;
}

std::optional<std::filesystem::path> resolveWebFile(const std::filesystem::path& root, const std::string& path) {
    namespace fs = std::filesystem;
    if (path.empty() || path.front() != '/' || path.find('\\') != std::string::npos) return std::nullopt;
    fs::path relative;
    std::size_t start = 1;
    while (start <= path.size()) {
        const auto slash = path.find('/', start);
        const std::string segment = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (segment == "." || segment == "..") return std::nullopt;
        // Run from a source tree, the web root also holds the page's browser tests, their
        // installed packages and build files: none of them is part of the page.
        if (!segment.empty() && (segment.front() == '.' || segment == "tests" || segment == "node_modules" ||
                                 segment == "CMakeLists.txt" || segment == "package.json"))
            return std::nullopt;
        if (!segment.empty()) relative /= segment;
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    if (relative.empty() || path.back() == '/') relative /= "index.html";
    std::error_code error;
    const fs::path base = fs::canonical(root, error);
    if (error) return std::nullopt;
    // Symbolic links are followed first, then the result must still lie inside the root.
    const fs::path file = fs::canonical(base / relative, error);
    if (error || !fs::is_regular_file(file, error)) return std::nullopt;
    const auto [rootEnd, fileAt] = std::mismatch(base.begin(), base.end(), file.begin(), file.end());
    if (rootEnd != base.end()) return std::nullopt;
    return file;
}

const char* contentTypeOf(const std::filesystem::path& file) {
    const std::string extension = lowerCase(file.extension().string());
    if (extension == ".html") return "text/html; charset=utf-8";
    if (extension == ".js" || extension == ".mjs") return "text/javascript; charset=utf-8";
    if (extension == ".css") return "text/css; charset=utf-8";
    if (extension == ".json") return "application/json";
    if (extension == ".svg") return "image/svg+xml";
    if (extension == ".png") return "image/png";
    if (extension == ".ico") return "image/x-icon";
    if (extension == ".woff2") return "font/woff2";
    return "application/octet-stream";
}

}  // namespace Host::web
