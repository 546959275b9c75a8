#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "SimulatedTestSupport.h"
#include "olvar/PendingWork.h"
#include "velk/SimulatedBackend.h"

using namespace olvar::velk;

namespace olvar::test {
namespace {


constexpr auto device = &simulatedDevice;

std::vector<std::string> selectionIds(const DeviceInfoList& list) {
    std::vector<std::string> ids;
    for (const auto& d : list) ids.push_back(d->getSelectionId());
    return ids;
}

class SimulatedDeviceEvents : public ::testing::Test {
protected:
    void SetUp() override { monitor = backend.manager()->getDeviceMonitor(); }
    void TearDown() override { ASSERT_TRUE(PendingWork::waitIdle()); }

    SimulatedBackend backend{SimulatedBackendOptions{Pacing::AsFastAsPossible}};
    std::shared_ptr<DeviceMonitor> monitor;
};

TEST_F(SimulatedDeviceEvents, ChangesAreVisibleAtOnceAndDeliveredInOrderOnTheEventThread) {
    RecordingDeviceObserver first, second;
    monitor->addObserver(&first);
    monitor->addObserver(&second);

    ASSERT_TRUE(backend.plug(device(DEVICE_KIND_PLAYBACK, "spk-1")));
    EXPECT_EQ(selectionIds(backend.devices(DEVICE_KIND_PLAYBACK)), std::vector<std::string>{"spk-1"});
    ASSERT_TRUE(backend.plug(device(DEVICE_KIND_PLAYBACK, "spk-2")));
    ASSERT_TRUE(backend.plug(device(DEVICE_KIND_RECORDING, "mic-1")));
    ASSERT_TRUE(backend.unplug("spk-1"));
    EXPECT_EQ(selectionIds(backend.devices(DEVICE_KIND_PLAYBACK)), std::vector<std::string>{"spk-2"});
    ASSERT_TRUE(PendingWork::waitIdle());

    const std::vector<std::string> expected{"added spk-1", "default spk-1", "added spk-2",  "added mic-1",
                                            "default mic-1", "removed spk-1", "default spk-2"};
    EXPECT_EQ(first.log.lines(), expected);
    EXPECT_EQ(second.log.lines(), expected);
    for (const auto& thread : first.log.threads()) EXPECT_EQ(thread, "velk-events");

    monitor->removeObserver(&first);
    monitor->removeObserver(&second);
}

TEST_F(SimulatedDeviceEvents, ReportsExtendedIdentityOfPluggedDevices) {
    SimulatedDevice d = device(DEVICE_KIND_CAPTURE, "cam-1");
    d.vendor = "Acme";
    d.deviceInterface = "USB Video";
    d.friendlyName = "Camera (USB Video)";
    d.instanceId = "USB\\1";
    ASSERT_TRUE(backend.plug(d));

    const auto list = backend.devices(DEVICE_KIND_CAPTURE);
    ASSERT_EQ(list.size(), 1u);
    const auto* info = dynamic_cast<const ExtendedDeviceInfo*>(list[0].get());
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->getKind(), DEVICE_KIND_CAPTURE);
    EXPECT_EQ(info->getName(), "cam-1 name");
    EXPECT_EQ(info->getHardwareId(), "HW-cam-1");
    EXPECT_EQ(info->getVendor(), "Acme");
    EXPECT_EQ(info->getDeviceInterface(), "USB Video");
    EXPECT_EQ(info->getFriendlyName(), "Camera (USB Video)");
    EXPECT_EQ(info->getInstanceId(), "USB\\1");
}

TEST_F(SimulatedDeviceEvents, RejectsInvalidPlugsAndUnknownUnplugsWithoutEvents) {
    RecordingDeviceObserver observer;
    monitor->addObserver(&observer);
    ASSERT_TRUE(backend.plug(device(DEVICE_KIND_PLAYBACK, "spk-1")));
    ASSERT_TRUE(PendingWork::waitIdle());
    const auto before = observer.log.lines();

    EXPECT_FALSE(backend.plug(device(DEVICE_KIND_PLAYBACK, "spk-1")));  // duplicate
    EXPECT_FALSE(backend.plug(device(3, "odd-kind")));
    EXPECT_FALSE(backend.plug(device(DEVICE_KIND_RECORDING, "")));
    EXPECT_FALSE(backend.unplug("nobody"));
    ASSERT_TRUE(PendingWork::waitIdle());

    EXPECT_EQ(observer.log.lines(), before);
    EXPECT_TRUE(backend.devices(3).empty());
    monitor->removeObserver(&observer);
}

TEST_F(SimulatedDeviceEvents, DefaultFallsBackToFirstDeviceWhenTheChosenOneIsUnplugged) {
    for (const char* id : {"spk-a", "spk-b", "spk-c"}) ASSERT_TRUE(backend.plug(device(DEVICE_KIND_PLAYBACK, id)));
    EXPECT_EQ(backend.defaultDevice(DEVICE_KIND_PLAYBACK)->getSelectionId(), "spk-a");

    ASSERT_TRUE(backend.setDefault(DEVICE_KIND_PLAYBACK, "spk-c"));
    EXPECT_EQ(backend.defaultDevice(DEVICE_KIND_PLAYBACK)->getSelectionId(), "spk-c");
    EXPECT_FALSE(backend.setDefault(DEVICE_KIND_RECORDING, "spk-b"));  // wrong kind
    EXPECT_FALSE(backend.setDefault(DEVICE_KIND_PLAYBACK, "missing"));

    ASSERT_TRUE(backend.unplug("spk-a"));  // not the default: no change
    EXPECT_EQ(backend.defaultDevice(DEVICE_KIND_PLAYBACK)->getSelectionId(), "spk-c");
    ASSERT_TRUE(backend.unplug("spk-c"));
    EXPECT_EQ(backend.defaultDevice(DEVICE_KIND_PLAYBACK)->getSelectionId(), "spk-b");

    // A device plugged again under the old id is not silently the default again.
    ASSERT_TRUE(backend.plug(device(DEVICE_KIND_PLAYBACK, "spk-c")));
    EXPECT_EQ(backend.defaultDevice(DEVICE_KIND_PLAYBACK)->getSelectionId(), "spk-b");
    ASSERT_TRUE(backend.unplug("spk-b"));
    ASSERT_TRUE(backend.unplug("spk-c"));
    EXPECT_EQ(backend.defaultDevice(DEVICE_KIND_PLAYBACK), nullptr);
}

// Blocks inside onDeviceAdded until released, so a test can remove it mid-callback.
class BlockingObserver : public RecordingDeviceObserver {
public:
    void onDeviceAdded(DeviceInfoPtr device) override {
        std::unique_lock<std::mutex> lock(mutex);
        entered = true;
        changed.notify_all();
        changed.wait(lock, [&] { return released; });
        removeHadReturnedWhileRunning = removeReturned.load();
        lock.unlock();
        RecordingDeviceObserver::onDeviceAdded(device);
    }
    std::mutex mutex;
    std::condition_variable changed;
    bool entered = false;
    bool released = false;
    std::atomic<bool> removeReturned{false};
    bool removeHadReturnedWhileRunning = true;
};

TEST_F(SimulatedDeviceEvents, RemoveObserverWaitsForTheCallbackInFlight) {
    BlockingObserver observer;
    monitor->addObserver(&observer);
    ASSERT_TRUE(backend.plug(device(DEVICE_KIND_RECORDING, "mic-1")));
    {
        std::unique_lock<std::mutex> lock(observer.mutex);
        observer.changed.wait(lock, [&] { return observer.entered; });
    }
    std::promise<void> removing;
    std::thread remover([&] {
        removing.set_value();
        monitor->removeObserver(&observer);
        observer.removeReturned = true;
    });
    removing.get_future().wait();
    {
        std::lock_guard<std::mutex> lock(observer.mutex);
        observer.released = true;
    }
    observer.changed.notify_all();
    remover.join();
    EXPECT_FALSE(observer.removeHadReturnedWhileRunning);

    // Nothing reaches it once removeObserver has returned.
    const auto seen = observer.log.lines();
    ASSERT_TRUE(backend.plug(device(DEVICE_KIND_RECORDING, "mic-2")));
    ASSERT_TRUE(PendingWork::waitIdle());
    EXPECT_EQ(observer.log.lines(), seen);
    EXPECT_EQ(seen.front(), "added mic-1");
}

class SelfRemovingObserver : public RecordingDeviceObserver {
public:
    SelfRemovingObserver(DeviceMonitor& monitor, DeviceMonitor_Observer* alsoRemove)
        : m_monitor(monitor), m_alsoRemove(alsoRemove) {}
    void onDeviceAdded(DeviceInfoPtr device) override {
        RecordingDeviceObserver::onDeviceAdded(device);
        m_monitor.removeObserver(this);
        if (m_alsoRemove) m_monitor.removeObserver(m_alsoRemove);
    }

private:
    DeviceMonitor& m_monitor;
    DeviceMonitor_Observer* m_alsoRemove;
};

TEST_F(SimulatedDeviceEvents, ObserversMayRemoveThemselvesAndOthersFromACallback) {
    RecordingDeviceObserver later;
    SelfRemovingObserver remover(*monitor, &later);
    monitor->addObserver(&remover);
    monitor->addObserver(&later);

    ASSERT_TRUE(backend.plug(device(DEVICE_KIND_PLAYBACK, "spk-1")));
    ASSERT_TRUE(backend.plug(device(DEVICE_KIND_PLAYBACK, "spk-2")));
    ASSERT_TRUE(PendingWork::waitIdle());

    EXPECT_EQ(remover.log.lines(), std::vector<std::string>{"added spk-1"});
    EXPECT_TRUE(later.log.lines().empty()) << "removed before its turn came";
}

TEST_F(SimulatedDeviceEvents, ObserverRegistrationIgnoresNullAndDuplicates) {
    RecordingDeviceObserver observer;
    monitor->addObserver(nullptr);
    monitor->addObserver(&observer);
    monitor->addObserver(&observer);
    ASSERT_TRUE(backend.plug(device(DEVICE_KIND_CAPTURE, "cam-1")));
    ASSERT_TRUE(PendingWork::waitIdle());
    EXPECT_EQ(observer.log.lines(), (std::vector<std::string>{"added cam-1", "default cam-1"}));
    monitor->removeObserver(&observer);
    monitor->removeObserver(&observer);  // second removal is harmless
}

TEST(SimulatedBackendLifetime, DestroyingWithObserversAttachedDeliversWhatWasQueued) {
    RecordingDeviceObserver observer;
    std::shared_ptr<DeviceMonitor> monitor;
    {
        SimulatedBackend backend;
        monitor = backend.manager()->getDeviceMonitor();
        monitor->addObserver(&observer);
        for (int i = 0; i < 50; ++i) backend.plug(device(DEVICE_KIND_PLAYBACK, "spk-" + std::to_string(i)));
    }
    EXPECT_EQ(observer.log.lines().size(), 51u);  // 50 added + the first default
    EXPECT_EQ(PendingWork::pending(), 0);
    monitor->removeObserver(&observer);  // the monitor outlives its backend harmlessly
}

TEST(SimulatedBackendConcurrency, PlugsFromManyThreadsAreAllReportedOnce) {
    SimulatedBackend backend;
    RecordingDeviceObserver observer;
    backend.manager()->getDeviceMonitor()->addObserver(&observer);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 25; ++i) {
                const std::string id = "mic-" + std::to_string(t) + "-" + std::to_string(i);
                backend.plug(device(DEVICE_KIND_RECORDING, id));
                backend.unplug(id);
            }
        });
    }
    for (auto& thread : threads) thread.join();
    ASSERT_TRUE(PendingWork::waitIdle());
    const auto lines = observer.log.lines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("added", 0) == 0; }),
              100);
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("removed", 0) == 0; }),
        100);
    EXPECT_TRUE(backend.devices(DEVICE_KIND_RECORDING).empty());
    backend.manager()->getDeviceMonitor()->removeObserver(&observer);
}

}  // namespace
}  // namespace olvar::test
