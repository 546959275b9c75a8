#include <gtest/gtest.h>

#include "olvar/PendingWork.h"
#include "velk/SimulatedBackend.h"
#include "velk/VelkWrapper.h"

using namespace olvar::velk;

namespace olvar::test {
namespace {

using OlvarUnified::VelkWrapper;

class WrapperCalls : public ::testing::Test {
protected:
    void SetUp() override { VelkWrapper::Instance()->setBackend(nullptr); }
    void TearDown() override {
        VelkWrapper::Instance()->setBackend(nullptr);
        ASSERT_TRUE(PendingWork::waitIdle());
    }
};

TEST_F(WrapperCalls, InstanceIsOneObject) { EXPECT_EQ(VelkWrapper::Instance(), VelkWrapper::Instance()); }

TEST_F(WrapperCalls, WithoutBackendEverythingIsEmpty) {
    auto wrapper = VelkWrapper::Instance();
    EXPECT_EQ(wrapper->backend(), nullptr);
    EXPECT_EQ(wrapper->Mgr(), nullptr);
    EXPECT_TRUE(wrapper->GetCaptureDevices().empty());
    EXPECT_TRUE(wrapper->GetRecordingDevices().empty());
    EXPECT_TRUE(wrapper->GetPlaybackDevices().empty());
    EXPECT_EQ(wrapper->GetDefaultCaptureDevice(), nullptr);
    EXPECT_EQ(wrapper->GetDefaultRecordingDevice(), nullptr);
    EXPECT_EQ(wrapper->GetDefaultPlaybackDevice(), nullptr);
    wrapper->SetCurrentAlertsDeviceName("spk-builtin");  // ignored, must not crash
}

TEST_F(WrapperCalls, ForwardsEachKindToTheInstalledBackend) {
    auto backend = std::make_shared<SimulatedBackend>();
    ASSERT_TRUE(backend->load(builtInDefaultScenario()));
    ASSERT_TRUE(backend->setDefault(DEVICE_KIND_PLAYBACK, "usb-headset-spk"));
    auto wrapper = VelkWrapper::Instance();
    wrapper->setBackend(backend);

    EXPECT_EQ(wrapper->Mgr(), backend->manager());
    EXPECT_EQ(wrapper->GetPlaybackDevices().size(), 2u);
    EXPECT_EQ(wrapper->GetRecordingDevices().size(), 2u);
    ASSERT_EQ(wrapper->GetCaptureDevices().size(), 1u);
    EXPECT_EQ(wrapper->GetCaptureDevices()[0]->getKind(), DEVICE_KIND_CAPTURE);
    EXPECT_EQ(wrapper->GetDefaultPlaybackDevice()->getSelectionId(), "usb-headset-spk");
    EXPECT_EQ(wrapper->GetDefaultRecordingDevice()->getSelectionId(), "mic-builtin");
    EXPECT_EQ(wrapper->GetDefaultCaptureDevice()->getSelectionId(), "cam-builtin");

    wrapper->SetCurrentAlertsDeviceName("usb-headset-spk");
    EXPECT_EQ(backend->alertsDeviceName(), "usb-headset-spk");
    EXPECT_EQ(backend->calls(), std::vector<std::string>{"setAlertsDeviceName usb-headset-spk"});

    wrapper->setBackend(nullptr);
    EXPECT_EQ(wrapper->Mgr(), nullptr);
    EXPECT_TRUE(wrapper->GetPlaybackDevices().empty());
}

TEST_F(WrapperCalls, ReplacingTheBackendWhileOthersReadIsSafe) {
    auto wrapper = VelkWrapper::Instance();
    std::atomic<bool> done{false};
    std::thread reader([&] {
        while (!done) {
            for (const auto& d : wrapper->GetPlaybackDevices()) EXPECT_FALSE(d->getSelectionId().empty());
            wrapper->GetDefaultRecordingDevice();
        }
    });
    for (int i = 0; i < 20; ++i) {
        auto backend = std::make_shared<SimulatedBackend>();
        backend->load(builtInDefaultScenario());
        wrapper->setBackend(backend);
    }
    done = true;
    reader.join();
}

}  // namespace
}  // namespace olvar::test
