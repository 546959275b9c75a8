// Process-wide count of work handed between threads and not yet finished.
// Every queue and every device-manager thread counts what it accepts, so a test can
// wait until the whole process is quiet instead of sleeping.
#pragma once

#include <chrono>
#include <cstdint>

#define OLVAR_API __attribute__((visibility("default")))

namespace olvar {

class OLVAR_API PendingWork {
public:
    // Called when work is accepted (before the producer returns) and after it has run.
    static void begin();
    static void end();

    // Blocks until no work is pending. Returns false if the timeout passed first.
    static bool waitIdle(std::chrono::milliseconds timeout = std::chrono::seconds(30));
    static std::int64_t pending();
};

// RAII helper for one unit of work.
class PendingWorkScope {
public:
    PendingWorkScope() { PendingWork::begin(); }
    ~PendingWorkScope() { PendingWork::end(); }
    PendingWorkScope(const PendingWorkScope&) = delete;
    PendingWorkScope& operator=(const PendingWorkScope&) = delete;
};

}  // namespace olvar
