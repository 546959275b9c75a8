#include "olvar/PendingWork.h"

#include <condition_variable>
#include <mutex>

#include "olvar/OlvarLog.h"

namespace olvar {
namespace {

// Leaked: work may still end while other libraries run their static destructors.
struct PendingCounter {
    std::mutex mutex;
    std::condition_variable idle;
    std::int64_t count = 0;
};

PendingCounter& counter() {
    static auto* instance = new PendingCounter;
    return *instance;
}

OlvarLoggerHandle logger() {
    static const OlvarLoggerHandle handle = OlvarLogger_getLogger("CoreUtils-PendingWork");
    return handle;
}

}  // namespace

void PendingWork::begin() {
    PendingCounter& c = counter();
    std::lock_guard<std::mutex> lock(c.mutex);
    ++c.count;
}

void PendingWork::end() {
    PendingCounter& c = counter();
    bool unbalanced = false;
    {
        std::lock_guard<std::mutex> lock(c.mutex);
        if (c.count > 0) {
            --c.count;
        } else {
            unbalanced = true;
        }
        if (c.count == 0) {
            c.idle.notify_all();
        }
    }
    if (unbalanced) {
        OlvarLog(logger(), OLVAR_LOG_ERROR, __FILE__, __LINE__, "olvar::PendingWork::end",
                 std::string("end() without a matching begin(); the count stays at zero"));
    }
}

bool PendingWork::waitIdle(std::chrono::milliseconds timeout) {
    PendingCounter& c = counter();
    std::unique_lock<std::mutex> lock(c.mutex);
    return c.idle.wait_for(lock, timeout, [&c] { return c.count == 0; });
}

std::int64_t PendingWork::pending() {
    PendingCounter& c = counter();
    std::lock_guard<std::mutex> lock(c.mutex);
    return c.count;
}

}  // namespace olvar
