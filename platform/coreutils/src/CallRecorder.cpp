#include "olvar/CallRecorder.h"

#include <atomic>

namespace olvar {
namespace {
std::atomic<std::size_t> g_limit{0};
}  // namespace

void CallRecorder::setProcessLimit(std::size_t calls) { g_limit.store(calls, std::memory_order_relaxed); }

std::size_t CallRecorder::processLimit() { return g_limit.load(std::memory_order_relaxed); }

}  // namespace olvar
