// Latency of one device arrival through the real threads, as a user feels it: from plugging
// a headset on the simulated device manager (its event thread, the module's background
// worker, the services dispatcher) to the service's DeviceAdded notification, and to the
// headset published as the speaker in use (CurrentSpeaker). Every plug starts from an idle
// module: all queues are drained before it, so no iteration pays for the previous one's
// work. Reports the median and the 99th percentile of both as counters, in microseconds.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "OlvarUnified/StandInHost.h"
#include "OlvarUnified/Task.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "featuresets/adapters/mediaDevice/core/MediaDeviceAdapter.h"
#include "module/InjectMediaDeviceService.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"
#include "olvar/TemporaryDirectory.h"
#include "velk/SimulatedBackend.h"
#include "velk/VelkWrapper.h"

using namespace OlvarUnified;
using Clock = std::chrono::steady_clock;

namespace {

// Records when each notification arrived and lets the benchmark thread wait for the next.
class NotificationLatch {
public:
    NotificationLatch() { m_at.reserve(1 << 14); }
    void notify() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_at.push_back(Clock::now());
        }
        m_changed.notify_all();
    }
    // Waits until more than `seen` notifications arrived; returns when the first of the new
    // ones did.
    Clock::time_point waitBeyond(std::size_t seen) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return m_at.size() > seen; });
        return m_at[seen];
    }
    std::size_t count() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_at.size();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Clock::time_point> m_at;
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
        StandInHost::drain();
    }
    ~StartedModule() {
        adapter->StopFeatureSet(MEDIA_DEVICE_FEATURE_SET_TYPE, noEvents());
        adapter->Destroy();
        StandInHost::drain();
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

double microsSince(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration<double, std::micro>(end - start).count();
}

void BM_PlugToNotifications(benchmark::State& state) {
    StartedModule module;
    NotificationLatch added;
    NotificationLatch currentSpeaker;
    std::vector<std::weak_ptr<PropertyNotifierConnection>> connections;
    module.onDispatcher([&] {
        auto notifiers = module.service->getMediaDeviceServiceNotifiers();
        connections.push_back(notifiers->getDeviceAddedNotifier()->connect([&] { added.notify(); }));
        connections.push_back(notifiers->getCurrentSpeakerNotifier()->connect([&] { currentSpeaker.notify(); }));
    });

    olvar::velk::SimulatedDevice headset;
    headset.kind = olvar::velk::DEVICE_KIND_PLAYBACK;
    headset.name = "Bench Headset";
    headset.selectionId = "bench-headset";
    headset.hardwareId = "USB\\VID_1234&PID_5678&MI_00";

    std::vector<double> toAdded, toCurrent;
    for (auto _ : state) {
        if (!StandInHost::drain()) {
            state.SkipWithError("the module did not become idle before a plug");
            break;
        }
        const std::size_t addedSeen = added.count();
        const std::size_t currentSeen = currentSpeaker.count();
        const auto start = Clock::now();
        module.backend->plug(headset);
        toAdded.push_back(microsSince(start, added.waitBeyond(addedSeen)));
        // A new headset leads the speakers, so it is put in use and CurrentSpeaker follows.
        toCurrent.push_back(microsSince(start, currentSpeaker.waitBeyond(currentSeen)));
        state.SetIterationTime(toAdded.back() / 1e6);

        StandInHost::drain();
        module.backend->unplug(headset.selectionId);
    }
    StandInHost::drain();
    module.onDispatcher([&] {
        for (auto& connection : connections)
            if (auto live = connection.lock()) live->disconnect();
    });
    state.counters["added_p50_us"] = percentile(toAdded, 0.50);
    state.counters["added_p99_us"] = percentile(toAdded, 0.99);
    state.counters["current_p50_us"] = percentile(toCurrent, 0.50);
    state.counters["current_p99_us"] = percentile(toCurrent, 0.99);
}

}  // namespace

BENCHMARK(BM_PlugToNotifications)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);
