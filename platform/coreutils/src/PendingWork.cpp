#include "olvar/PendingWork.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "olvar/NamedLogger.h"
#include "olvar/OlvarLog.h"

namespace olvar {
namespace {

// Leaked: work may still end while other libraries run their static destructors.
//
// The count is an atomic, not guarded by the mutex: producers and workers on different
// threads must not synchronise with each other through it, or ThreadSanitizer would see every
// queue hop as a lock handed between them and miss real races in between. A begin() is
// relaxed; an end() releases, so whoever waits for idle acquires everything the work did. The
// mutex only pairs the last end()'s notification with a waiter that is about to sleep.
struct PendingCounter {
    std::mutex mutex;
    std::condition_variable idle;
    std::atomic<std::int64_t> count{0};
};

PendingCounter& counter() {
    static auto* instance = new PendingCounter;
    return *instance;
}

constexpr auto logger = &olvar::namedLogger<"CoreUtils-PendingWork">;

}  // namespace

void PendingWork::begin() { counter().count.fetch_add(1, std::memory_order_relaxed); }

void PendingWork::end() {
    PendingCounter& c = counter();
    std::int64_t before = c.count.load(std::memory_order_relaxed);
    // Never below zero: an unbalanced end() is reported and leaves the count alone.
    while (before > 0 && !c.count.compare_exchange_weak(before, before - 1, std::memory_order_release,
                                                        std::memory_order_relaxed)) {
    }
    if (before <= 0) {
        OlvarLog(logger(), OLVAR_LOG_ERROR, __FILE__, __LINE__, "olvar::PendingWork::end",
                 std::string("end() without a matching begin(); the count stays at zero"));
        return;
    }
    if (before == 1) {
        // Taken and let go before notifying, so a waiter that saw work pending is asleep by now.
        { std::lock_guard<std::mutex> lock(c.mutex); }
        c.idle.notify_all();
    }
}

bool PendingWork::waitIdle(std::chrono::milliseconds timeout) {
    PendingCounter& c = counter();
    std::unique_lock<std::mutex> lock(c.mutex);
    return c.idle.wait_for(lock, timeout, [&c] { return c.count.load(std::memory_order_acquire) == 0; });
}

std::int64_t PendingWork::pending() { return counter().count.load(std::memory_order_acquire); }

}  // namespace olvar
