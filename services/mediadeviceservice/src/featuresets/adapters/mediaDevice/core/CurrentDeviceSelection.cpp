#include "featuresets/adapters/mediaDevice/core/CurrentDeviceSelection.h"

#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/Telephony.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "featuresets/adapters/mediaDevice/accessories/AccessoryHardwareId.h"
#include "module/DeviceTypeTable.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "velk/VelkWrapper.h"

namespace OlvarUnified {

namespace {
const OlvarLoggerHandle& log() { return Loggers::MediaDeviceAdapter; }
}  // namespace

CurrentDeviceSelection::CurrentDeviceSelection(std::shared_ptr<UnifiedFactory> factory, const AdapterSettings& settings,
                                               olvar::Mutex& identitiesLock, Identities& identities)
    : m_factory(std::move(factory)), m_settings(settings), m_identitiesLock(identitiesLock), m_identities(identities) {}

int CurrentDeviceSelection::accessoryKind(Type type) {
    const DeviceTypeInfo* row = DeviceTypeTable::find(type);
    return row ? row->accessoryKind : 0;
}

bool CurrentDeviceSelection::switchDeviceInUse(Type type, const PreferredMediaDevicePtr& record) {
    const bool telephony = m_settings.telephony();
    if (telephony) setCurrentDevice(type, record);

    auto featureSet = m_factory->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
    if (!featureSet) return false;
    MDS_LOG_INFO(log(), "selectionId: " << record->selectionId << ", hwId: " << record->hardwareId);
    MDS_LOG_INFO(log(), "setting current device to " << record->toString());

    bool result = false;
    if (type == MediaDeviceTypeEnum::CAMERA) {
        if (auto video = featureSet->getVideoControl()) result = video->setCaptureDevice(record->selectionId);
        return result;
    }
    auto audio = featureSet->getAudioControl();
    if (!audio) return result;
    // Left as a switch: each type pairs its own telephony call with its own acceptance rule
    // (voicemail for the speaker; the separate-ringer flag and the alerts device for the
    // ringer), and a table of calls would part each rule from the call it judges.
    switch (type) {
        case MediaDeviceTypeEnum::SPEAKER:
            result = audio->setCurrentSpeaker(record->selectionId);
            // Without telephony the speaker serves voicemail playback, which always accepts it.
            if (!telephony) result = m_settings.m_voicemailEnabled ? true : result;
            break;
        case MediaDeviceTypeEnum::RINGER:
            result = m_settings.m_useRinger ? audio->setCurrentRinger(record->selectionId) : true;
            VelkWrapper::Instance()->SetCurrentAlertsDeviceName(record->selectionId);
            if (!telephony) result = true;
            break;
        case MediaDeviceTypeEnum::MICROPHONE: result = audio->setCurrentMicrophone(record->selectionId); break;
        default: break;
    }
    return result;
}

void CurrentDeviceSelection::setCurrentDevice(Type type, const PreferredMediaDevicePtr& record) {
    olvar::MutexGuard guard(m_identitiesLock);
    if (!m_settings.telephony()) return;
    if (!record) {
        MDS_LOG_DEBUG(log(), "setCurrentDevice. mediaDevicePtr is null");
        return;
    }
    auto& entry = m_identities[type];
    entry.resize(2);
    entry[0] = MirelCoreUtils::toWideString(record->hardwareId);
    entry[1] = MirelCoreUtils::toWideString(record->friendlyName);

    auto accessories = m_factory->getFeatureSet<TelephonyAccessoriesFeatureSet>();
    if (!accessories) return;
    const auto& speaker = m_identities[MediaDeviceTypeEnum::SPEAKER];
    const auto& microphone = m_identities[MediaDeviceTypeEnum::MICROPHONE];
    const int kind = accessoryKind(type);
    if (!speaker.empty() && !microphone.empty() && speaker[0] == microphone[0]) {
        // One headset serves both directions: tell the accessories side which one it is.
        auto accessory = AccessoryHardwareId::getAccessoryByHardwareId(speaker[0]);
        if (accessory < 1 || accessory > 3) accessory = AccessoryDeviceTypeEnum::NOT_AN_ACCESSORY;
        accessories->setCurrentAccessoryDevice(kind, accessory, MirelCoreUtils::toString(speaker[0]),
                                               MirelCoreUtils::toString(speaker[1]));
    } else {
        accessories->setCurrentAccessoryDevice(kind, 0, record->hardwareId, record->friendlyName);
    }
}

std::string CurrentDeviceSelection::getCurrentSelectionId(Type type) const {
    auto featureSet = m_factory->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
    if (!featureSet) return {};
    if (type == MediaDeviceTypeEnum::CAMERA) {
        auto video = featureSet->getVideoControl();
        return video ? video->getCurrentCaptureDevice() : std::string();
    }
    auto audio = featureSet->getAudioControl();
    return audio ? audio->getCurrentDevice(type) : std::string();
}

std::vector<std::wstring> CurrentDeviceSelection::currentIdentity(Type type) const {
    olvar::MutexGuard guard(m_identitiesLock);
    const auto found = m_identities.find(type);
    return found == m_identities.end() ? std::vector<std::wstring>() : found->second;
}

}  // namespace OlvarUnified
