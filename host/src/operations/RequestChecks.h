// Checks of request arguments that need no module; the command line's parser and the page's
// requests give the same messages. Each returns an empty string when the value is fine.
#pragma once

#include <string>

namespace Host {

std::string deviceTypeError(const std::string& type);
std::string volumeError(int volume);

}  // namespace Host
