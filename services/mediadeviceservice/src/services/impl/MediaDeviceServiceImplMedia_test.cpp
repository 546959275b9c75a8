// Composite headset devices, preview windows, self-view dimensions, the peak meter, the
// capture device, finding devices by hardware id, and a service without its feature set.
#include "MediaDeviceServiceImplTestSupport.h"
#include "ModuleTestFixture.h"
#include "ModuleTestNames.h"
#include "objects/compositeMediaDevice/CompositeMediaDevice.h"
#include "objects/localVideoPreviewDimensions/LocalVideoPreviewDimensions.h"

using namespace OlvarUnified::MediaDeviceTypeEnum;

namespace olvar::test {
namespace {

using Devices = std::vector<std::shared_ptr<MediaDevice>>;


class ServiceMedia : public DirectServiceFixture {
protected:
    void SetUp() override {
        DirectServiceFixture::SetUp();
        withFeatureSet();
        createService();
    }
};

TEST_F(ServiceMedia, EachSpeakerPairsWithTheFirstMicrophoneOfItsHeadset) {
    run([&] {
        auto s1 = device({"s1", kHeadsetHardwareId}), lone = device({"lone", "USB\\VID_0B0E&PID_0410&MI_00"}),
             s2 = device({"s2", kHeadsetHardwareId});
        auto other = device({"other", "PCI\\VEN_1", MICROPHONE}), m1 = device({"m1", kHeadsetHardwareId, MICROPHONE}),
             m2 = device({"m2", kHeadsetHardwareId, MICROPHONE});
        features->plugged = {{SPEAKER, listOf({s1, lone, s2})}, {MICROPHONE, listOf({other, m1, m2})}};

        auto composites = service->getCompositeDeviceList();
        ASSERT_EQ(composites->size(), 2u);
        for (auto [composite, speaker] : {std::pair{(*composites)[0], s1}, {(*composites)[1], s2}}) {
            EXPECT_EQ(*composite->getMediaDevices(), (Devices{speaker, m1})) << "the available objects themselves";
            EXPECT_EQ(composite->getName(), speaker->getFriendlyName());
            EXPECT_EQ(composite->getFullName(), speaker->getName());
            EXPECT_EQ(composite->getCompositeType(), AccessoryDeviceTypeEnum::ACCESSORY_CLASS_1);
        }
        EXPECT_NE(service->getCompositeDeviceList()->front(), composites->front()) << "built anew on every call";
    });
}

TEST_F(ServiceMedia, PreviewWindowsAreForwardedAndTheirOutcomeAnnouncedEvenOnFailure) {
    int first = 0, second = 0;
    void* const w1 = &first;
    void* const w2 = &second;
    run([&] {
        auto observer = observeService(service);
        service->addLocalVideoPreviewWindow(w1);
        service->removeLocalVideoPreviewWindow(w2);
        service->onLocalVideoPreviewAdded(w1, true);
        EXPECT_EQ(service->getLocalVideoPreviewWindowAdded(), w1);
        service->onLocalVideoPreviewAdded(w2, false);
        EXPECT_EQ(service->getLocalVideoPreviewWindowAdded(), nullptr);
        service->onLocalVideoPreviewRemoved(w2, true);
        service->onLocalVideoPreviewRemoved(w2, true);
        EXPECT_EQ(service->getLocalVideoPreviewWindowRemoved(), w2);
        EXPECT_EQ(observer->log.calls, (Strings{"LocalVideoPreviewWindowAdded", "LocalVideoPreviewWindowAdded",
                                                "LocalVideoPreviewWindowRemoved", "LocalVideoPreviewWindowRemoved"}));
    });
    EXPECT_EQ(features->calls,
              (Strings{"addLocalVideoPreviewWindow " + std::to_string(reinterpret_cast<std::uintptr_t>(w1)),
                       "removeLocalVideoPreviewWindow " + std::to_string(reinterpret_cast<std::uintptr_t>(w2))}));
}

TEST_F(ServiceMedia, EverySelfViewUpdatePublishesANewDimensionsObject) {
    int window = 0;
    run([&] {
        auto observer = observeService(service);
        const MediaDeviceSelfViewDimensions d{640, 480, 1, 2, 3, 4, 5, 6};
        service->onSelfViewVideoUpdated(&window, d);
        auto published = service->getSelfViewVideoDimensions();
        service->onSelfViewVideoUpdated(&window, d);
        ASSERT_TRUE(published);
        EXPECT_NE(service->getSelfViewVideoDimensions(), published);
        EXPECT_EQ(observer->log.calls, (Strings{"SelfViewVideoDimensions", "SelfViewVideoDimensions"}));
        EXPECT_EQ((std::vector<std::int32_t>{published->getWidth(), published->getHeight(), published->getROITop(),
                                             published->getROILeft(), published->getROIBottom(),
                                             published->getROIRight(), published->getROIHeight(),
                                             published->getROIWidth()}),
                  (std::vector<std::int32_t>{640, 480, 1, 2, 3, 4, 5, 6}));
        EXPECT_EQ(published->getWindowHandle(), &window);
    });
}

TEST_F(ServiceMedia, PeakRequestsCarryTheMicrophoneAndSkipMissingDevices) {
    run([&] {
        auto mic = device({"mic", "", MICROPHONE, true, true});
        EXPECT_EQ(service->getCurrentInputDevicePeak(), 0.0f) << "no current microphone: adapter not asked";
        EXPECT_FALSE(service->initialisePeak(nullptr));
        service->unInitialisePeak(nullptr);
        EXPECT_EQ(service->getInputPeak(nullptr), 0.0f);
        EXPECT_TRUE(features->calls.empty());

        EXPECT_TRUE(service->initialisePeak(mic));
        service->unInitialisePeak(mic);
        EXPECT_EQ(service->getInputPeak(mic), 0.75f);
        push(MICROPHONE, {mic});
        EXPECT_EQ(service->getCurrentInputDevicePeak(), 0.75f);
        for (const auto& record : features->records) {
            EXPECT_EQ(record->uniqueIdentifier, mic->getUniqueIdentifier());
            EXPECT_EQ(record->type, MICROPHONE);
        }
    });
    EXPECT_EQ(features->calls, (Strings{"initialisePeak mic", "unInitialisePeak mic", "getInputDevicePeak mic",
                                        "getInputDevicePeak mic"}));
}

TEST_F(ServiceMedia, CaptureDeviceRequestsAreForwarded) {
    run([&] {
        EXPECT_TRUE(service->setCaptureDevice("cam-2"));
        EXPECT_EQ(service->getCaptureDevice(), "cam-1");
    });
    EXPECT_EQ(features->calls, (Strings{"setCaptureDevice cam-2", "getCaptureDevice"}));
}

using ServiceWithoutFeatureSet = DirectServiceFixture;

TEST_F(ServiceWithoutFeatureSet, EveryRequestGivesItsSafeDefault) {
    createService();
    int window = 0;
    run([&] {
        auto observer = observeService(service);
        auto mic = device({"mic", kHeadsetHardwareId, MICROPHONE});
        for (auto type : {SPEAKER, RINGER, MICROPHONE, CAMERA}) {
            ASSERT_TRUE(service->getAvailableDeviceList(type));
            EXPECT_TRUE(service->getAvailableDeviceList(type)->empty());
            EXPECT_TRUE(service->getPreferredDeviceList(type)->empty());
            EXPECT_EQ(service->getCurrentDevice(type), nullptr);
            service->setCurrentMediaDevice(type, mic);
            service->setDeviceVolume(type, mic, 10);
            service->setCurrentDeviceVolume(type, 10);
        }
        auto ids = sessions();
        EXPECT_EQ(service->playWaveFile("a.wav", "spk", 50, true), -1);
        EXPECT_EQ(service->playWaveFile("a.wav", "spk", 50), -1);
        EXPECT_EQ(service->playWaveFile("a.wav", "spk"), -1);
        EXPECT_EQ(service->playWaveFileOnCurrentDevice("a.wav"), -1);
        EXPECT_EQ(service->continueSoundOnNewDevice(1, "spk", 0), -1);
        EXPECT_FALSE(service->isAudioFileSupported("a.wav"));
        service->PlayWaveFileOnAllRingerDevices("a.wav", 50, ids, false);
        EXPECT_TRUE(ids->empty());
        service->StopWaveFileListPlayout(sessions({1, 2}));
        service->setVolumeForPlayingSessions(20, sessions({1}));
        service->stopWaveFilePlayout(1);
        service->stopAllWaveFilePlayout();
        service->SetUseRinger(true);
        EXPECT_FALSE(service->persistPreferredPreferredDeviceList());
        service->modifyPreferredDeviceList(SPEAKER, listOf({mic}), listOf({}));
        service->setMediaDeviceSelected(mic);
        EXPECT_FALSE(service->setCaptureDevice("cam"));
        EXPECT_EQ(service->getCaptureDevice(), "");
        service->addLocalVideoPreviewWindow(&window);
        service->removeLocalVideoPreviewWindow(&window);
        EXPECT_FALSE(service->initialisePeak(mic));
        service->unInitialisePeak(mic);
        EXPECT_EQ(service->getInputPeak(mic), 0.0f);
        EXPECT_EQ(service->getCurrentInputDevicePeak(), 0.0f);
        EXPECT_TRUE(service->getCompositeDeviceList()->empty());
        EXPECT_EQ(service->getDeviceByHardwareId(MirelCoreUtils::toWideString(kHeadsetHardwareId)), nullptr);
        service->setCurrentMediaDeviceByHardwareId(MirelCoreUtils::toWideString(kHeadsetHardwareId));
        service->setCurrentMediaDeviceByAccessoryType(AccessoryDeviceTypeEnum::ACCESSORY_CLASS_1);
        EXPECT_TRUE(observer->log.calls.empty());
    });
}

class ServiceMediaOnTheModule : public ModuleTestFixture {
protected:
    void SetUp() override { setUpStarted(); }
    void TearDown() override { EXPECT_EQ(UpdateAccess::violationCount(), 0u); }
};

TEST_F(ServiceMediaOnTheModule, HeadsetSpeakerAndMicrophoneFormOneComposite) {
    onDispatcher([&] {
        auto composites = service->getCompositeDeviceList();
        std::vector<std::pair<std::wstring, Strings>> found;
        for (const auto& composite : *composites) found.emplace_back(composite->getFullName(), namesOf(composite->getMediaDevices()));
        EXPECT_EQ(found, (std::vector<std::pair<std::wstring, Strings>>{
                             {L"Built-in Speakers", {"Built-in Speakers", "Built-in Microphone"}},
                             {L"Headset Earphone", {"Headset Earphone", "Headset Microphone"}}}));
        ASSERT_EQ(composites->size(), 2u);
        EXPECT_EQ((*composites)[0]->getCompositeType(), AccessoryDeviceTypeEnum::NOT_AN_ACCESSORY);
        EXPECT_EQ((*composites)[1]->getCompositeType(), AccessoryDeviceTypeEnum::ACCESSORY_CLASS_1);
    });
}

TEST_F(ServiceMediaOnTheModule, DevicesAreFoundByHardwareIdInAnyLetterCase) {
    auto nameOf = [&](const std::wstring& id) {
        return read([&] {
            auto found = service->getDeviceByHardwareId(id);
            return found ? found->getName() : std::wstring(L"<none>");
        });
    };
    EXPECT_EQ(nameOf(L"USB\\VID_0B0E&PID_0348&MI_00"), L"Headset Earphone") << "speakers are searched first";
    EXPECT_EQ(nameOf(L"usb\\vid_0b0e&pid_0348&mi_00"), L"Headset Earphone");
    EXPECT_EQ(nameOf(L"usb\\vid_5986&pid_2113"), L"Integrated Camera");
    EXPECT_EQ(nameOf(L"USB\\VID_FFFF&PID_0001"), L"<none>");
}

}  // namespace
}  // namespace olvar::test
