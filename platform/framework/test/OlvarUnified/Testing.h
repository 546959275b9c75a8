// Test support: wait until every queue of the process has run what it was given.
#pragma once

#include <chrono>

#include "olvar/PendingWork.h"

namespace olvar::test {

// Blocks until the services dispatcher, every task dispatcher and every device-manager
// thread are idle with nothing queued. Returns false on timeout.
inline bool drainAll(std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    return olvar::PendingWork::waitIdle(timeout);
}

}  // namespace olvar::test
