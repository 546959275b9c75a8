// Everything at once, on the module's real threads: four clients calling the service through
// the services dispatcher, a device manager plugging and unplugging devices, and the host
// stopping and starting the feature set in between. Nothing may deadlock, no device change
// made while the feature set is started may go unannounced, no list may hold a device twice
// and the properties file must read back as the lists. ThreadSanitizer runs it as well.
#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <random>
#include <set>
#include <thread>

#include "MediaDeviceAdapterTestSupport.h"
#include "WaveTestFiles.h"
#include "featuresets/adapters/mediaDevice/preferred/MediaDevicePropertyFileConfigStore.h"
#include "module/MediaDeviceFeatureSet.h"

namespace olvar::test {
namespace {

constexpr int kPlugs = 1000;  // and as many unplugs
constexpr int kClients = 4;
constexpr int kRequestsPerClient = 250;
constexpr int kStartStopCycles = 20;
constexpr int kChangesWhileStopped = 20;
// Clients keep calling while the feature set is stopped, as they do not know of it.
constexpr int kRequestsWhileStopped = 10;
// Changes made while started and not yet announced, at most: the device manager keeps pace
// with the module instead of racing through its share before the module has seen any.
constexpr int kChangesInFlight = 8;
// How long a delivery that must come may take before the test fails instead of waiting on.
constexpr auto kPatience = std::chrono::seconds(60);

struct Counts {
    int plugsWhileStarted = 0, unplugsWhileStarted = 0, plugsWhileStopped = 0, unplugsWhileStopped = 0;
    int passedTheDeviceManager = 0;  // changes its observers have been told of (ours included)
    int announcedAdded = 0, announcedRemoved = 0;  // the service's DeviceAdded and DeviceRemoved
    bool pluggerDone = false;
    int clientRequests = 0;  // run to their end on the services dispatcher

    int whileStarted() const { return plugsWhileStarted + unplugsWhileStarted; }
    int all() const { return whileStarted() + plugsWhileStopped + unplugsWhileStopped; }
    bool clientsDone() const { return clientRequests == kClients * kRequestsPerClient; }
};

// The test's account of device changes. What the feature set promises is tied to its state:
// a change made while it is started is announced by the service, one made while it is
// stopped is not (its observer is detached; the next start reads the devices present). So
// the host holds changes back around each stop and start, until every change made before
// has gone as far as that state lets it go; no change then straddles a stop or a start.
class DeviceTraffic : public olvar::velk::DeviceMonitor_Observer {
public:
    void onDeviceAdded(DeviceInfoPtr) override { count(&Counts::passedTheDeviceManager); }
    void onDeviceRemoved(DeviceInfoPtr) override { count(&Counts::passedTheDeviceManager); }
    void onDefaultDeviceChanged(DeviceInfoPtr) override {}
    void announced(bool added) { count(added ? &Counts::announcedAdded : &Counts::announcedRemoved); }
    void clientRequestRun() { count(&Counts::clientRequests); }

    // The plugger's side: one change at a time, none while the host holds them back, and only
    // as many while stopped as the host allows.
    void change(bool plug, const std::function<bool()>& apply) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] {
            if (m_held) return false;
            if (!m_started) return m_changesAllowedWhileStopped > 0;
            return m_counts.whileStarted() - m_counts.announcedAdded - m_counts.announcedRemoved < kChangesInFlight;
        });
        if (!m_started) --m_changesAllowedWhileStopped;
        m_changing = true;
        lock.unlock();
        const bool applied = apply();
        lock.lock();
        m_changing = false;
        if (applied) ++(m_started ? (plug ? m_counts.plugsWhileStarted : m_counts.unplugsWhileStarted)
                                  : (plug ? m_counts.plugsWhileStopped : m_counts.unplugsWhileStopped));
        m_changed.notify_all();
    }
    void pluggerDone() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_counts.pluggerDone = true;
        m_changed.notify_all();
    }

    // The host's side: once hold returns no change is under way, until release.
    void hold() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_held = true;
        m_changed.wait(lock, [&] { return !m_changing; });
    }
    void release(bool started, int changesAllowedWhileStopped = 0) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_started = started;
        m_changesAllowedWhileStopped = changesAllowedWhileStopped;
        m_held = false;
        m_changed.notify_all();
    }

    // False when the condition did not come true within kPatience.
    bool waitFor(const std::function<bool(const Counts&)>& condition) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, kPatience, [&] { return condition(m_counts); });
    }
    Counts counts() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_counts;
    }

private:
    void count(int Counts::*field) {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++(m_counts.*field);
        m_changed.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    Counts m_counts;
    bool m_started = true;
    bool m_held = false;
    bool m_changing = false;
    int m_changesAllowedWhileStopped = 0;
};

enum class Request { Reorder, Select, SetVolume, Persist, Query, Play, Count };

// Fields that the properties file keeps of a record.
std::vector<std::string> storedFieldsOf(const PreferredMediaDeviceList& list) {
    std::vector<std::string> fields;
    if (list)
        for (const auto& r : *list)
            fields.push_back(r->selectionId + "|" + r->hardwareId + "|" + r->name + "|" + std::to_string(r->volume) +
                             "|" + r->friendlyName + "|" + r->deviceInterface + "|" + r->vendor);
    return fields;
}

template <class Items, class Key>
bool eachOnce(const Items& items, Key key) {
    std::set<decltype(key(*items.begin()))> seen;
    for (const auto& item : items)
        if (!seen.insert(key(item)).second) return false;
    return true;
}

class MediaDeviceStress : public AdapterModuleTest {
protected:
    void SetUp() override {
        setUpStarted();
        backend->manager()->getDeviceMonitor()->addObserver(&traffic);
        onDispatcher([this] {
            auto notifiers = service->getMediaDeviceServiceNotifiers();
            notifiers->getDeviceAddedNotifier()->connect([this] { traffic.announced(true); });
            notifiers->getDeviceRemovedNotifier()->connect([this] { traffic.announced(false); });
        });
    }
    void TearDown() override {
        // The observer and the service's callbacks point into this fixture: cut them first.
        if (backend) backend->manager()->getDeviceMonitor()->removeObserver(&traffic);
        tearDownModule();
        AdapterModuleTest::TearDown();
    }

    // Plugs the pool's devices in turn, two of them present at a time, and unplugs each again.
    void plugAndUnplug() {
        const std::vector<olvar::velk::SimulatedDevice> pool = {
            device(olvar::velk::DEVICE_KIND_PLAYBACK, "stress-headset-spk", "USB\\VID_AAAA&PID_0001&MI_00"),
            device(olvar::velk::DEVICE_KIND_RECORDING, "stress-headset-mic", "USB\\VID_AAAA&PID_0001&MI_00"),
            device(olvar::velk::DEVICE_KIND_CAPTURE, "stress-camera", "USB\\VID_BBBB&PID_0002&MI_00"),
            device(olvar::velk::DEVICE_KIND_PLAYBACK, "stress-dock-spk", "USB\\VID_CCCC&PID_0003&MI_00"),
        };
        for (int i = 0; i < kPlugs; ++i) {
            const auto& plugged = pool[i % pool.size()];
            traffic.change(true, [&] { return backend->plug(plugged); });
            if (i > 0) {
                const auto& previous = pool[(i - 1) % pool.size()];
                traffic.change(false, [&] { return backend->unplug(previous.selectionId); });
            }
        }
        traffic.change(false, [&] { return backend->unplug(pool[(kPlugs - 1) % pool.size()].selectionId); });
        traffic.pluggerDone();
    }

    // The host: stops and starts the feature set while the devices change.
    void stopAndStart() {
        for (int cycle = 0; cycle < kStartStopCycles; ++cycle) {
            const int mark = (cycle + 1) * 2 * kPlugs / (kStartStopCycles + 1);
            traffic.waitFor([&](const Counts& c) { return c.pluggerDone || c.all() >= mark; });

            traffic.hold();
            if (!traffic.waitFor([](const Counts& c) {
                    return c.announcedAdded + c.announcedRemoved == c.whileStarted();
                }))
                ADD_FAILURE() << "device changes made while started were not all announced before stop " << cycle;
            adapter->StopFeatureSet(kFeatureSet, noEvents());
            const Counts atStop = traffic.counts();
            traffic.release(false, kChangesWhileStopped);

            traffic.waitFor([&](const Counts& c) {
                return (c.pluggerDone || c.all() == atStop.all() + kChangesWhileStopped) &&
                       (c.clientsDone() || c.clientRequests >= atStop.clientRequests + kRequestsWhileStopped);
            });
            traffic.hold();
            if (!traffic.waitFor([](const Counts& c) { return c.passedTheDeviceManager == c.all(); }))
                ADD_FAILURE() << "the device manager did not deliver the changes made while stopped " << cycle;
            adapter->StartFeatureSet(kFeatureSet, noEvents());
            traffic.release(true);
        }
    }

    // One client: requests of every kind, each run on the services dispatcher as the host
    // runs a client's call, on lists as the client last saw them.
    void clientRequests(unsigned seed) {
        std::mt19937 random(seed);
        auto features = factory->getFeatureSet<MediaDeviceFeatureSet>();
        for (int i = 0; i < kRequestsPerClient; ++i) {
            const auto type = kAllTypes[random() % std::size(kAllTypes)];
            const auto request = static_cast<Request>(random() % static_cast<unsigned>(Request::Count));
            onDispatcher([&] { runRequest(request, type, random, *features); });
            traffic.clientRequestRun();
        }
    }

    void runRequest(Request request, Type type, std::mt19937& random, MediaDeviceFeatureSet& features) {
        const DeviceList preferred = service->getPreferredDeviceList(type);
        const auto some = preferred->empty() ? nullptr : preferred->at(random() % preferred->size());
        switch (request) {
            case Request::Reorder: {
                auto order = std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>(*preferred);
                std::shuffle(order->begin(), order->end(), random);
                service->modifyPreferredDeviceList(type, order, std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>());
                break;
            }
            case Request::Select:
                if (some) service->setCurrentMediaDevice(type, some);
                break;
            case Request::SetVolume:
                if (some) service->setDeviceVolume(type, some, static_cast<int>(random() % 101));
                break;
            case Request::Persist: service->persistPreferredPreferredDeviceList(); break;
            case Request::Query:
                service->getAvailableDeviceList(type);
                service->getCurrentDevice(type);
                if (!eachOnce(*preferred, [](const auto& d) { return d->getUniqueIdentifier(); }))
                    ++publishedDuplicates;
                if (!some) break;
                service->getPluggedInPositionInPreferredDeviceList(type, some);
                features.getSpeakerDeviceVolume(MirelCoreUtils::toString(some->getSelectionId()));
                if (type == MediaDeviceTypeEnum::MICROPHONE) service->getInputPeak(some);
                break;
            case Request::Play: {
                // Sessions start, end on player threads and are stopped while the feature set
                // stops and starts: an end must never reach an observer that a stop deleted.
                const long session = service->playWaveFile(ringtone, some ? MirelCoreUtils::toString(some->getSelectionId()) : "");
                if (session >= 0) ++sessionsStarted;
                if (session >= 0 && random() % 2) service->stopWaveFilePlayout(session);
                break;
            }
            case Request::Count: break;
        }
    }

    std::vector<std::int32_t> publishedIdentifiers(Type type) {
        return read([&] {
            std::vector<std::int32_t> ids;
            for (const auto& d : *service->getPreferredDeviceList(type)) ids.push_back(d->getUniqueIdentifier());
            return ids;
        });
    }

    WaveFolder waves;
    const std::string ringtone = waves.write("ring.wav", pcmWave(std::string(3200, '\x10')));
    DeviceTraffic traffic;
    int publishedDuplicates = 0;  // only touched on the services dispatcher
    int sessionsStarted = 0;      // likewise
};

TEST_F(MediaDeviceStress, ClientsDeviceChangesAndRestartsTogetherLoseNothing) {
    std::vector<std::thread> threads;
    for (unsigned client = 0; client < kClients; ++client)
        threads.emplace_back([this, client] { clientRequests(client + 1); });
    threads.emplace_back([this] { plugAndUnplug(); });
    threads.emplace_back([this] { stopAndStart(); });
    for (auto& thread : threads) thread.join();
    drain();

    // Every change went to the one state it was made in; both states were exercised.
    const Counts counts = traffic.counts();
    RecordProperty("plugsWhileStarted", counts.plugsWhileStarted);
    RecordProperty("plugsWhileStopped", counts.plugsWhileStopped);
    RecordProperty("announcedAdded", counts.announcedAdded);
    RecordProperty("announcedRemoved", counts.announcedRemoved);
    EXPECT_EQ(counts.plugsWhileStarted + counts.plugsWhileStopped, kPlugs);
    EXPECT_EQ(counts.unplugsWhileStarted + counts.unplugsWhileStopped, kPlugs);
    EXPECT_GT(counts.plugsWhileStopped, 0);
    EXPECT_EQ(counts.passedTheDeviceManager, 2 * kPlugs);
    EXPECT_EQ(counts.announcedAdded, counts.plugsWhileStarted);
    EXPECT_EQ(counts.announcedRemoved, counts.unplugsWhileStarted);
    EXPECT_EQ(read([&] { return publishedDuplicates; }), 0);
    EXPECT_GT(read([&] { return sessionsStarted; }), 0);

    adapter->persistPreferredDeviceList();
    drain();
    MediaDevicePropertyFileConfigStore store("deviceData4.properties", configDirectory() + "/");
    store.readFromFile();
    for (auto type : kAllTypes) {
        SCOPED_TRACE(type);
        const PreferredMediaDeviceList listed = adapter->copyOfPreferredDeviceList(type);
        ASSERT_TRUE(listed);
        EXPECT_TRUE(eachOnce(*listed, [](const auto& r) { return r->uniqueIdentifier; }));
        EXPECT_TRUE(eachOnce(*listed, [](const auto& r) { return r->selectionId; }));
        std::vector<std::int32_t> ids;
        for (const auto& r : *listed) ids.push_back(r->uniqueIdentifier);
        EXPECT_EQ(publishedIdentifiers(type), ids) << "the service shows the adapter's list";
        EXPECT_EQ(storedFieldsOf(store.getPreferredDeviceList(type)), storedFieldsOf(listed));
    }
    // Every write was completed or cleaned up: no temporary file is left beside the file.
    for (const auto& entry : std::filesystem::directory_iterator(configDirectory()))
        EXPECT_EQ(entry.path().filename(), "deviceData4.properties");
}

}  // namespace
}  // namespace olvar::test
