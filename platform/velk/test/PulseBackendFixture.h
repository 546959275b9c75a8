// A backend connected to the tests' sound server, with observers on its monitor and volume
// control. Tests skip when no server is configured.
#pragma once

#include <memory>

#include "PulseTestSupport.h"
#include "velk/PulseBackend.h"

namespace olvar::test {

using namespace ::olvar::velk;

class PulseBackendFixture : public ::testing::Test {
protected:
    void SetUp() override {
        MDS_REQUIRE_PULSE_SERVER();
        PulseBackendOptions options;
        options.server = testServer();
        options.videoClassRoot.clear();
        backend = std::make_unique<PulseBackend>(options);
        ASSERT_TRUE(backend->waitUntilConnected(kTimeout));
        manager = backend->manager();
        volume = manager->getVolumeControl();
        player = manager->getPcmPlayer();
        manager->getDeviceMonitor()->addObserver(&devices);
        volume->addObserver(&levels);
        player->addPlaybackObserver(&ends);
    }

    void TearDown() override {
        if (!backend) return;
        manager->getDeviceMonitor()->removeObserver(&devices);
        volume->removeObserver(&levels);
        player->removePlaybackObserver(&ends);
        player.reset();
        volume.reset();
        manager.reset();
        backend.reset();
    }

    // Ends the backend, so that every report it will ever make has been made.
    void finishBackend() {
        manager->getDeviceMonitor()->removeObserver(&devices);
        volume->removeObserver(&levels);
        player.reset();
        volume.reset();
        manager.reset();
        backend.reset();
    }

    bool present(int kind, const std::string& selectionId) {
        for (const auto& device : backend->devices(kind))
            if (device->getSelectionId() == selectionId) return true;
        return false;
    }

    DeviceInfoPtr find(int kind, const std::string& selectionId) {
        for (const auto& device : backend->devices(kind))
            if (device->getSelectionId() == selectionId) return device;
        return nullptr;
    }

    std::unique_ptr<PulseBackend> backend;
    std::shared_ptr<CommunicationsDeviceManager> manager;
    std::shared_ptr<VolumeControl> volume;
    std::shared_ptr<PcmPlayer> player;
    DeviceEvents devices;
    VolumeEvents levels;
    PlayoutEnds ends;
};

}  // namespace olvar::test
