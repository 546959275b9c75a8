#include "OlvarUnified/UpdateAccess.h"

#include <atomic>

#include "olvar/NamedLogger.h"
#include "olvar/OlvarLog.h"

namespace OlvarUnified::UpdateAccess {

namespace {
std::atomic<std::uint64_t> g_violations{0};
constexpr auto logger = &olvar::namedLogger<"OlvarUnified-UpdateAccess">;
}  // namespace

std::uint64_t violationCount() { return g_violations.load(); }
void resetViolationCount() { g_violations.store(0); }

void reportViolation(const std::string& objectName, const char* operation) {
    g_violations.fetch_add(1);
    OlvarLog(logger(), OLVAR_LOG_ERROR, __FILE__, __LINE__, __func__,
             "update access violation: " + objectName + "::" + (operation ? operation : "?") +
                 " called off its thread of update access");
}

}  // namespace OlvarUnified::UpdateAccess
