// Re-entrant lock owning a heap-allocated critical section, used through MutexGuard.
#pragma once

#include <mutex>

#define OLVAR_API __attribute__((visibility("default")))

namespace olvar {

class OLVAR_API Mutex {
public:
    Mutex();
    ~Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    void lock();
    void unlock();

private:
    std::recursive_mutex* m_criticalSection;  // null when the allocation failed: lock and unlock do nothing
};

class MutexGuard {
public:
    explicit MutexGuard(Mutex& mutex) : m_mutex(mutex) { m_mutex.lock(); }
    ~MutexGuard() { m_mutex.unlock(); }
    MutexGuard(const MutexGuard&) = delete;
    MutexGuard& operator=(const MutexGuard&) = delete;

private:
    Mutex& m_mutex;
};

}  // namespace olvar
