// Latency of one device arrival through the real threads: from plugging a device on the
// simulated device manager (its event thread, the module's background worker, the services
// dispatcher) to the service's DeviceAdded notification. Reports the median and the 99th
// percentile of the iterations as counters p50_us and p99_us.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "OlvarUnified/StandInHost.h"
#include "OlvarUnified/Task.h"
#include "OlvarUnified/Testing.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "featuresets/adapters/mediaDevice/MediaDeviceAdapter.h"
#include "module/InjectMediaDeviceService.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"
#include "olvar/TemporaryDirectory.h"
#include "velk/SimulatedBackend.h"
#include "velk/VelkWrapper.h"

using namespace OlvarUnified;
using Clock = std::chrono::steady_clock;

namespace {

// Counts notifications and lets the benchmark thread wait for the next one.
class NotificationLatch {
public:
    void notify() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_count;
            m_at = Clock::now();
        }
        m_changed.notify_all();
    }
    // Waits until more than `seen` notifications arrived; returns when the last one did.
    Clock::time_point waitBeyond(long seen) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return m_count > seen; });
        return m_at;
    }
    long count() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_count;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    long m_count = 0;
    Clock::time_point m_at;
};

// The module started on the default devices, in a private configuration directory.
class StartedModule {
public:
    StartedModule() {
        ::setenv("MIREL_CONFIG_DIR", m_directory.path().c_str(), 1);
        backend = std::make_shared<olvar::velk::SimulatedBackend>();
        backend->load(olvar::velk::builtInDefaultScenario());
        VelkWrapper::Instance()->setBackend(backend);
        m_host = std::make_unique<StandInHost>(factory, ConfigStore::instance());
        InjectMediaDeviceService(factory);
        adapter = std::dynamic_pointer_cast<FeatureSetAdapter>(factory->getFeatureSet(MEDIA_DEVICE_FEATURE_SET_TYPE));
        service = factory->getService<MediaDeviceService>();
        adapter->StartFeatureSet(MEDIA_DEVICE_FEATURE_SET_TYPE, noEvents());
        Testing::drainAll();
    }
    ~StartedModule() {
        adapter->StopFeatureSet(MEDIA_DEVICE_FEATURE_SET_TYPE, noEvents());
        adapter->Destroy();
        Testing::drainAll();
        adapter.reset();
        service.reset();
        m_host->unregister();
        VelkWrapper::Instance()->setBackend(nullptr);
    }

    void onDispatcher(std::function<void()> f) {
        factory->getServicesDispatcher()->enqueueBlock(std::make_shared<FunctionTask>(std::move(f), "bench"));
    }

    std::shared_ptr<UnifiedFactory> factory = std::make_shared<UnifiedFactory>();
    std::shared_ptr<olvar::velk::SimulatedBackend> backend;
    std::shared_ptr<FeatureSetAdapter> adapter;
    std::shared_ptr<MediaDeviceService> service;

private:
    static ServiceEventList noEvents() { return std::make_shared<std::vector<std::shared_ptr<ServiceEvent>>>(); }

    olvar::TemporaryDirectory m_directory{"mds-latency-bench"};
    std::unique_ptr<StandInHost> m_host;
};

double percentile(std::vector<double> samples, double fraction) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[std::min(index, samples.size() - 1)];
}

void BM_DeviceAddedToNotification(benchmark::State& state) {
    StartedModule module;
    NotificationLatch added;
    NotificationLatch removed;
    std::weak_ptr<PropertyNotifierConnection> addedConnection, removedConnection;
    module.onDispatcher([&] {
        auto notifiers = module.service->getMediaDeviceServiceNotifiers();
        addedConnection = notifiers->getDeviceAddedNotifier()->connect([&] { added.notify(); });
        removedConnection = notifiers->getDeviceRemovedNotifier()->connect([&] { removed.notify(); });
    });

    olvar::velk::SimulatedDevice headset;
    headset.kind = olvar::velk::DEVICE_KIND_PLAYBACK;
    headset.name = "Bench Headset";
    headset.selectionId = "bench-headset";
    headset.hardwareId = "USB\\VID_1234&PID_5678&MI_00";

    std::vector<double> micros;
    for (auto _ : state) {
        const long seen = added.count();
        const auto start = Clock::now();
        module.backend->plug(headset);
        const auto arrived = added.waitBeyond(seen);
        const double elapsed = std::chrono::duration<double, std::micro>(arrived - start).count();
        micros.push_back(elapsed);
        state.SetIterationTime(elapsed / 1e6);

        const long removedSeen = removed.count();
        module.backend->unplug(headset.selectionId);
        removed.waitBeyond(removedSeen);
    }
    module.onDispatcher([&] {
        for (auto* connection : {&addedConnection, &removedConnection})
            if (auto live = connection->lock()) live->disconnect();
    });
    state.counters["p50_us"] = percentile(micros, 0.50);
    state.counters["p99_us"] = percentile(micros, 0.99);
}

}  // namespace

BENCHMARK(BM_DeviceAddedToNotification)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);
