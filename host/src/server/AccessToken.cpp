#include "AccessToken.h"

#include <sys/random.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "MirelCoreUtils/FileUtils.h"

namespace Host::web {
namespace {

constexpr std::size_t kTokenBytes = 16;  // 128 bits

bool wellFormed(const std::string& token) {
    return token.size() == 2 * kTokenBytes &&
           std::all_of(token.begin(), token.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

std::string randomToken(std::string& error) {
    unsigned char bytes[kTokenBytes];
    std::size_t filled = 0;
    while (filled < sizeof bytes) {
        const ssize_t got = ::getrandom(bytes + filled, sizeof bytes - filled, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            error = std::string("no random bytes from the system: ") + std::strerror(errno);
            return {};
        }
        filled += static_cast<std::size_t>(got);
    }
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (unsigned char byte : bytes) {
        token += digits[byte >> 4];
        token += digits[byte & 15];
    }
    return token;
}

}  // namespace

std::string loadOrCreateToken(const std::filesystem::path& folder, bool renew, std::string& error) {
    const auto file = folder / kTokenFileName;
    if (!renew) {
        struct stat status {};
        // A token others could read is no secret any more: it is replaced.
        if (::lstat(file.c_str(), &status) == 0 && S_ISREG(status.st_mode) && (status.st_mode & 077) == 0) {
            std::ifstream in(file);
            std::string token;
            std::getline(in, token);
            if (wellFormed(token)) return token;
        }
    }
    std::string token = randomToken(error);
    if (token.empty()) return {};
    // Private from creation and renamed into place, so never readable by others nor half written.
    if (!MirelCoreUtils::FileUtils::writeFileAtomically(file.string(), token + "\n", error)) {
        error = "cannot keep the page's token: " + error;
        return {};
    }
    return token;
}

}  // namespace Host::web
