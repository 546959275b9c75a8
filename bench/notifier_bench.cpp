// Firing a notifier over many callbacks, against a plain loop over std::function and a
// signal emission over the same callbacks.
#include <benchmark/benchmark.h>

#include <boost/signals2.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "objects/notifiers/PropertyNotifierImpl.h"

namespace {

std::int64_t g_calls = 0;

std::function<void()> countingCallback() {
    return [] { ++g_calls; };
}

void finish(benchmark::State& state) {
    benchmark::DoNotOptimize(g_calls);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_PlainFunctionLoop(benchmark::State& state) {
    std::vector<std::function<void()>> callbacks(static_cast<std::size_t>(state.range(0)), countingCallback());
    for (auto _ : state) {
        for (const auto& callback : callbacks) callback();
    }
    finish(state);
}

// The textbook snapshot: copy the list, copy each callback before calling it.
void BM_NaiveSnapshotLoop(benchmark::State& state) {
    auto callbacks = std::make_shared<std::vector<std::shared_ptr<std::function<void()>>>>();
    for (int i = 0; i < state.range(0); ++i) callbacks->push_back(std::make_shared<std::function<void()>>(countingCallback()));
    for (auto _ : state) {
        auto snapshot = *callbacks;
        for (const auto& entry : snapshot) {
            std::function<void()> copy = *entry;
            copy();
        }
    }
    finish(state);
}

void BM_PropertyNotifierFire(benchmark::State& state) {
    auto notifier = std::make_shared<OlvarUnified::PropertyNotifierImpl>();
    for (int i = 0; i < state.range(0); ++i) notifier->connect(countingCallback());
    for (auto _ : state) notifier->fire();
    finish(state);
}

void BM_Signals2Emit(benchmark::State& state) {
    boost::signals2::signal<void()> signal;
    for (int i = 0; i < state.range(0); ++i) signal.connect(countingCallback());
    for (auto _ : state) signal();
    finish(state);
}

}  // namespace

BENCHMARK(BM_PlainFunctionLoop)->Arg(1)->Arg(10)->Arg(1000);
BENCHMARK(BM_NaiveSnapshotLoop)->Arg(1)->Arg(10)->Arg(1000);
BENCHMARK(BM_PropertyNotifierFire)->Arg(1)->Arg(10)->Arg(1000);
BENCHMARK(BM_Signals2Emit)->Arg(1)->Arg(10)->Arg(1000);
