// Violations of the update-access rule, counted so tests can assert there were none.
#pragma once

#include <cstdint>
#include <string>

#include "OlvarUnified/Api.h"

namespace OlvarUnified::UpdateAccess {

OLVAR_API std::uint64_t violationCount();
OLVAR_API void resetViolationCount();
// Logs at error level, naming the object and the operation, and counts.
OLVAR_API void reportViolation(const std::string& objectName, const char* operation);

}  // namespace OlvarUnified::UpdateAccess
