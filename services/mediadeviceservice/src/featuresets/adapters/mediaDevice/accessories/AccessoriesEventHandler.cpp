#include "featuresets/adapters/mediaDevice/accessories/AccessoriesEventHandler.h"

#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "module/MediaDeviceFeatureSet.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "services/impl/MediaDeviceServiceImpl.h"

namespace OlvarUnified {

namespace {
const OlvarLoggerHandle& log() { return Loggers::AccessoriesEventHandler; }

constexpr auto kSpeaker = MediaDeviceTypeEnum::SPEAKER;
constexpr int kVolumeStep = 5;
constexpr int kHighestVolume = 100;
// Stepping down never silences the speaker completely.
constexpr int kLowestSteppedVolume = 10;
}  // namespace

AccessoriesEventHandler::AccessoriesEventHandler(std::shared_ptr<UnifiedFactory> factory,
                                                 MediaDeviceServiceImpl* service)
    : m_factory(std::move(factory)), m_service(service) {}

AccessoriesEventHandler::~AccessoriesEventHandler() { releaseTelephonyService(); }

void AccessoriesEventHandler::setTelephonyService(std::shared_ptr<TelephonyService> telephonyService) {
    m_telephonyService = std::move(telephonyService);
    if (m_telephonyService) m_telephonyService->registerAccessoriesEvents(shared_from_this());
}

void AccessoriesEventHandler::detach() {
    m_service = nullptr;
    releaseTelephonyService();
}

// Identified by address: from the destructor no strong reference to this can be made.
void AccessoriesEventHandler::releaseTelephonyService() {
    if (!m_telephonyService) return;
    m_telephonyService->unregisterAccessoriesEvents(this);
    m_telephonyService.reset();
}

void AccessoriesEventHandler::onMakeCallEvent(std::string hardwareId) { changeActiveDeviceOn(__func__, hardwareId); }

void AccessoriesEventHandler::onAnswerCallEvent(std::string hardwareId) { changeActiveDeviceOn(__func__, hardwareId); }

void AccessoriesEventHandler::onVolumeUpEvent(std::string hardwareId) {
    MDS_LOG_DEBUG(log(), "onVolumeUpEvent() with device hardwareId " << hardwareId);
    stepSpeakerVolume(hardwareId, kVolumeStep);
}

void AccessoriesEventHandler::onVolumeDownEvent(std::string hardwareId) {
    MDS_LOG_DEBUG(log(), "onVolumeDownEvent() with device hardwareId " << hardwareId);
    stepSpeakerVolume(hardwareId, -kVolumeStep);
}

void AccessoriesEventHandler::onActiveDeviceChangedEvent(std::string hardwareId) {
    changeActiveDeviceOn(__func__, hardwareId);
}

void AccessoriesEventHandler::onSetDefaultAudioPathEvent(std::string hardwareId, int accessoryType) {
    MDS_LOG_DEBUG(log(), "onSetDefaultPathEvent() with device hardwareId " << hardwareId << "and accessory type "
                                                                           << accessoryType);
    if (!m_service || accessoryType == 0) return;
    auto featureSet = m_factory ? m_factory->getFeatureSet<MediaDeviceFeatureSet>() : nullptr;
    if (!featureSet) return;
    const bool known = accessoryType >= 1 && accessoryType <= 3;
    featureSet->setCurrentMediaDeviceByAccessoryType(
        known ? static_cast<AccessoryDeviceTypeEnum::AccessoryDeviceType>(accessoryType)
              : AccessoryDeviceTypeEnum::NOT_AN_ACCESSORY);
}

void AccessoriesEventHandler::onMakeCallWithDigitsEvent(std::string hardwareId, std::string numberToDial) {
    MDS_LOG_DEBUG(log(), "onMakeCallWithDigitsEvent() with device hardwareId " << hardwareId << "and number to dial "
                                                                               << numberToDial);
    changeActiveDevice(hardwareId);
}

void AccessoriesEventHandler::onVoicemailEvent(std::string hardwareId) { changeActiveDeviceOn(__func__, hardwareId); }

void AccessoriesEventHandler::onRedialEvent(std::string hardwareId) { changeActiveDeviceOn(__func__, hardwareId); }

void AccessoriesEventHandler::onResumeEvent(std::string hardwareId) { changeActiveDeviceOn(__func__, hardwareId); }

void AccessoriesEventHandler::onGetHeadsetControlUpdate(std::string, int type, int value) {
    MDS_LOG_DEBUG(log(), "onGetHeadsetControlUpdate(): type " << type << ", value " << value);
}

// The buttons that only make their accessory the device in use; event is the handler's name.
void AccessoriesEventHandler::changeActiveDeviceOn(const char* event, const std::string& hardwareId) {
    MDS_LOG_DEBUG(log(), event << "() with device hardwareId " << hardwareId);
    changeActiveDevice(hardwareId);
}

void AccessoriesEventHandler::changeActiveDevice(const std::string& hardwareId) {
    MediaDeviceServiceImpl* service = m_service;
    if (!service) return;
    auto speaker = service->getCurrentDevice(kSpeaker);
    if (!speaker) return;
    const std::wstring id = MirelCoreUtils::toWideString(hardwareId);
    // Exact comparison on purpose: the service's own matching decides what a differently
    // written id of the same device means.
    if (id == speaker->getHardwareId()) return;
    MDS_LOG_DEBUG(log(), "changeActiveDevice() with device hardwareId " << hardwareId);
    service->setCurrentMediaDeviceByHardwareId(id);
}

void AccessoriesEventHandler::stepSpeakerVolume(const std::string& hardwareId, int step) {
    MediaDeviceServiceImpl* service = m_service;
    if (!service) return;
    // A speaker's own buttons already change its volume.
    if (!service->getAvailableMediaDeviceByHardwareId(kSpeaker, MirelCoreUtils::toWideString(hardwareId))->empty())
        return;
    auto speaker = service->getCurrentDevice(kSpeaker);
    if (!speaker) return;
    int volume = speaker->getDeviceVolume() + step;
    if (step > 0 && volume > kHighestVolume) volume = kHighestVolume;
    if (step < 0 && volume < kLowestSteppedVolume) volume = kLowestSteppedVolume;
    service->setDeviceVolume(kSpeaker, speaker, volume);
}

}  // namespace OlvarUnified
