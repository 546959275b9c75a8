// A daemon of the test's own that dies and comes back while the backend runs.
#include <gtest/gtest.h>

#include "PulseTestSupport.h"
#include "olvar/LogCapture.h"
#include "velk/PulseBackend.h"

using namespace olvar::velk;

namespace olvar::test {
namespace {


TEST(PulseBackendRestart, DaemonDyingIsLoggedOnceAndItsDevicesComeBackWithIt) {
    MDS_REQUIRE_PULSE_SERVER();  // the daemon script needs what the shared daemon needs
    PrivateDaemon daemon;
    ASSERT_TRUE(daemon.start());
    PulseBackendOptions options;
    options.server = daemon.server();
    options.reconnectInterval = std::chrono::milliseconds(50);
    options.videoClassRoot.clear();
    PulseBackend backend(options);
    DeviceEvents events;
    auto monitor = backend.manager()->getDeviceMonitor();
    monitor->addObserver(&events);
    ASSERT_TRUE(backend.waitUntilConnected(kTimeout));
    ASSERT_EQ(backend.devices(DEVICE_KIND_PLAYBACK).size(), 1u);
    const std::string hardwareId = backend.devices(DEVICE_KIND_PLAYBACK).front()->getHardwareId();
    EXPECT_TRUE(backend.manager()->getVolumeControl()->initializePeak("ci_mic"));

    {
        olvar::log::LogCapture logs(OLVAR_LOG_WARNING);
        daemon.stop();
        ASSERT_TRUE(events.log.waitFor("removed ci_speakers"));
        ASSERT_TRUE(events.log.waitFor("removed ci_mic"));
        EXPECT_FALSE(backend.isConnected());
        EXPECT_TRUE(backend.devices(DEVICE_KIND_PLAYBACK).empty());
        EXPECT_TRUE(backend.devices(DEVICE_KIND_RECORDING).empty());
        EXPECT_FALSE(backend.defaultDevice(DEVICE_KIND_PLAYBACK));
        EXPECT_EQ(backend.manager()->getVolumeControl()->getPeakLevel("ci_mic"), 0.0f);

        ASSERT_TRUE(daemon.start());
        ASSERT_TRUE(events.log.waitFor("added ci_speakers"));
        ASSERT_TRUE(backend.waitUntilConnected(kTimeout));
        EXPECT_EQ(logs.count(OLVAR_LOG_WARNING, "sound server not available"), 1u)
            << "the outage is logged once however often the backend retried";
    }
    ASSERT_TRUE(events.log.waitFor("added ci_mic"));
    ASSERT_TRUE(events.log.waitFor("default ci_speakers"));
    ASSERT_EQ(backend.devices(DEVICE_KIND_PLAYBACK).size(), 1u);
    EXPECT_EQ(backend.devices(DEVICE_KIND_PLAYBACK).front()->getHardwareId(), hardwareId)
        << "the preferred-device file pairs the device again by it";
    // The meter the module asked for runs again on the new server.
    EXPECT_TRUE(backend.waitForPeakReadings("ci_mic", 2, kTimeout));
    monitor->removeObserver(&events);
    EXPECT_EQ(events.log.count("added ci_speakers"), 2u);
    EXPECT_EQ(events.log.count("removed ci_speakers"), 1u);
}

}  // namespace
}  // namespace olvar::test
