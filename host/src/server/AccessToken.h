// The settings page's token: 128 random bits from the system, kept in the configuration
// folder (mode 0600) so that an open page reconnects after a restart.
#pragma once

#include <filesystem>
#include <string>

namespace Host::web {

inline constexpr const char* kTokenFileName = "settings-page.token";

// Reads the kept token, or makes and keeps a new one when there is none, it is malformed or
// renew is set. Empty, with a reason, when the system gives no random bytes or the file
// cannot be written.
std::string loadOrCreateToken(const std::filesystem::path& folder, bool renew, std::string& error);

}  // namespace Host::web
