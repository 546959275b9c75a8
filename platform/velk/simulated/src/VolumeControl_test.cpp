#include <gtest/gtest.h>

#include "SimulatedTestSupport.h"
#include "olvar/PendingWork.h"
#include "velk/SimulatedBackend.h"

using namespace olvar::velk;

namespace olvar::test {
namespace {


class SimulatedVolumes : public ::testing::Test {
protected:
    void SetUp() override {
        SimulatedDevice speaker = simulatedDevice(DEVICE_KIND_PLAYBACK, "SEL-1");
        speaker.volume = 30;
        SimulatedDevice mic = simulatedDevice(DEVICE_KIND_RECORDING, "MIC-1");
        mic.volume = 70;
        mic.peakLevel = 0.75f;
        ASSERT_TRUE(backend.plug(speaker));
        ASSERT_TRUE(backend.plug(mic));
        volume = backend.manager()->getVolumeControl();
        ASSERT_NE(volume, nullptr);
        volume->addObserver(&observer);
        ASSERT_TRUE(PendingWork::waitIdle());
        backend.clearCalls();
    }
    void TearDown() override {
        volume->removeObserver(&observer);
        ASSERT_TRUE(PendingWork::waitIdle());
    }

    SimulatedBackend backend;
    std::shared_ptr<VolumeControl> volume;
    RecordingVolumeObserver observer;
};

TEST_F(SimulatedVolumes, SpeakerVolumeAndInputGainAreKeptPerDeviceAndReported) {
    EXPECT_EQ(volume->getSpeakerVolume("SEL-1"), 30);
    EXPECT_EQ(volume->getInputGain("MIC-1"), 70);

    EXPECT_TRUE(volume->setSpeakerVolume("SEL-1", 80));
    EXPECT_TRUE(volume->setSpeakerVolume("SEL-1", 80));  // unchanged: no second report
    EXPECT_TRUE(volume->setInputGain("MIC-1", 10));
    EXPECT_EQ(volume->getSpeakerVolume("SEL-1"), 80);
    EXPECT_EQ(volume->getInputGain("MIC-1"), 10);
    ASSERT_TRUE(PendingWork::waitIdle());

    EXPECT_EQ(observer.log.lines(), (std::vector<std::string>{"speaker SEL-1 80", "gain MIC-1 10"}));
    for (const auto& thread : observer.log.threads()) EXPECT_EQ(thread, "velk-events");
    EXPECT_EQ(backend.calls(), (std::vector<std::string>{"getSpeakerVolume SEL-1", "getInputGain MIC-1",
                                                         "setSpeakerVolume SEL-1 80", "setSpeakerVolume SEL-1 80",
                                                         "setInputGain MIC-1 10", "getSpeakerVolume SEL-1",
                                                         "getInputGain MIC-1"}));
}

TEST_F(SimulatedVolumes, UnknownDevicesWrongKindsAndOutOfRangeLevelsAreRefused) {
    EXPECT_FALSE(volume->setSpeakerVolume("nobody", 10));
    EXPECT_EQ(volume->getSpeakerVolume("nobody"), -1);
    EXPECT_FALSE(volume->setSpeakerVolume("MIC-1", 10));  // a microphone has no speaker volume
    EXPECT_EQ(volume->getInputGain("SEL-1"), -1);
    EXPECT_FALSE(volume->setSpeakerVolume("SEL-1", 101));
    EXPECT_FALSE(volume->setInputGain("MIC-1", -1));
    ASSERT_TRUE(PendingWork::waitIdle());

    EXPECT_TRUE(observer.log.lines().empty());
    EXPECT_EQ(volume->getSpeakerVolume("SEL-1"), 30);
    EXPECT_EQ(volume->getInputGain("MIC-1"), 70);
}

TEST_F(SimulatedVolumes, PeakMeterReadsZeroUntilInitialisedAndAfterUninitialise) {
    EXPECT_FLOAT_EQ(volume->getPeakLevel("MIC-1"), 0.0f);
    EXPECT_FALSE(volume->initializePeak("nobody"));
    EXPECT_FALSE(volume->initializePeak("SEL-1"));  // speakers have no input meter
    EXPECT_TRUE(volume->initializePeak("MIC-1"));
    EXPECT_FLOAT_EQ(volume->getPeakLevel("MIC-1"), 0.75f);

    EXPECT_TRUE(backend.setPeakLevel("MIC-1", 0.5f));
    EXPECT_FALSE(backend.setPeakLevel("nobody", 0.5f));
    EXPECT_FLOAT_EQ(volume->getPeakLevel("MIC-1"), 0.5f);

    volume->unInitializePeak("MIC-1");
    volume->unInitializePeak("nobody");
    EXPECT_FLOAT_EQ(volume->getPeakLevel("MIC-1"), 0.0f);
    EXPECT_EQ(backend.callCount("initializePeak"), 3u);
    EXPECT_EQ(backend.callCount("unInitializePeak"), 2u);
}

TEST_F(SimulatedVolumes, UnpluggedDeviceForgetsItsStateAndReturnsWithItsOwn) {
    ASSERT_TRUE(volume->initializePeak("MIC-1"));
    ASSERT_TRUE(backend.unplug("MIC-1"));
    EXPECT_EQ(volume->getInputGain("MIC-1"), -1);
    EXPECT_FLOAT_EQ(volume->getPeakLevel("MIC-1"), 0.0f);

    ASSERT_TRUE(backend.plug(simulatedDevice(DEVICE_KIND_RECORDING, "MIC-1")));
    EXPECT_EQ(volume->getInputGain("MIC-1"), 50);
    EXPECT_FLOAT_EQ(volume->getPeakLevel("MIC-1"), 0.0f);  // meter needs initialising again
}

TEST(ReducedDeviceManager, VolumeControlAndPlayerCanBeLeftOut) {
    SimulatedBackendOptions options;
    options.withVolumeControl = false;
    options.withPcmPlayer = false;
    SimulatedBackend backend(options);
    EXPECT_NE(backend.manager()->getDeviceMonitor(), nullptr);
    EXPECT_EQ(backend.manager()->getVolumeControl(), nullptr);
    EXPECT_EQ(backend.manager()->getPcmPlayer(), nullptr);
    EXPECT_EQ(backend.audioBufferingMode(), -1);
    EXPECT_TRUE(backend.playouts().empty());
    EXPECT_EQ(backend.bytesConsumed(nullptr), -1);

    SimulatedBackendOptions onlyPlayer;
    onlyPlayer.withVolumeControl = false;
    SimulatedBackend other(onlyPlayer);
    EXPECT_EQ(other.manager()->getVolumeControl(), nullptr);
    EXPECT_NE(other.manager()->getPcmPlayer(), nullptr);
}

}  // namespace
}  // namespace olvar::test
