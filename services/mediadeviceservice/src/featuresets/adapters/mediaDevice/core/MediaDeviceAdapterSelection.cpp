// Making a device current through the telephony side, and device volumes.
#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/Telephony.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "featuresets/adapters/mediaDevice/accessories/AccessoryHardwareId.h"
#include "featuresets/adapters/mediaDevice/core/MediaDeviceAdapter.h"
#include "module/DeviceTypeTable.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "objects/mediaDevice/MediaDeviceImpl.h"
#include "services/impl/MediaDeviceServiceImpl.h"
#include "velk/VelkWrapper.h"

namespace OlvarUnified {

using MediaDeviceTypeEnum::MediaDeviceType;

namespace {
const OlvarLoggerHandle& log() { return Loggers::MediaDeviceAdapter; }

// The device kind as the accessories side numbers it; 0 for a type it does not know.
int accessoryDeviceKind(MediaDeviceType type) {
    const DeviceTypeInfo* row = DeviceTypeTable::find(type);
    return row ? row->accessoryKind : 0;
}
}  // namespace

void MediaDeviceAdapter::setCurrentMediaDevice(MediaDeviceType type, PreferredMediaDevicePtr device) {
    postToWorker([this, type, device] { setCurrentMediaDeviceImpl(type, device); },
                 "MediaDeviceAdapter::setCurrentMediaDeviceImpl");
}

bool MediaDeviceAdapter::setCurrentMediaDeviceImpl(MediaDeviceType type, PreferredMediaDevicePtr record) {
    olvar::MutexGuard guard(getMutex(type));
    MDS_LOG_TRACE(log(), "setCurrentMediaDeviceImpl()");
    if (!record) {
        MDS_LOG_DEBUG(log(), "setCurrentMediaDeviceImpl. mediaDevicePtr is null");
        return false;
    }
    // Only a switch the telephony side accepted is reported to the service as the device in use.
    const bool switched = switchDeviceInUse(type, record);
    if (switched)
        if (auto listed = listedRecordOf(type, record)) postDeviceSelected(type, listed);
    return switched;
}

// The preferred list's own record of a device: requests built from the devices present carry
// identifiers of their own, so the selection id is the fallback. Empty when the list does not
// hold the device, which the service then cannot show as selected.
PreferredMediaDevicePtr MediaDeviceAdapter::listedRecordOf(MediaDeviceType type, const PreferredMediaDevicePtr& record) {
    olvar::MutexGuard guard(m_preferredLists.mutex(type));
    if (auto listed = m_preferredLists.findRecord(
            type, [&](const PreferredMediaDeviceImpl& entry) { return entry.uniqueIdentifier == record->uniqueIdentifier; }))
        return listed;
    return m_preferredLists.findRecord(
        type, [&](const PreferredMediaDeviceImpl& entry) { return entry.selectionId == record->selectionId; });
}

bool MediaDeviceAdapter::switchDeviceInUse(MediaDeviceType type, const PreferredMediaDevicePtr& record) {
    const bool telephony = m_telephonyEnabled || m_telephonyP2PEnabled;
    if (telephony) setCurrentDevice(type, record);

    auto featureSet = m_pUnifiedFactory->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
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
            if (!telephony) result = m_voicemailEnabled ? true : result;
            break;
        case MediaDeviceTypeEnum::RINGER:
            result = m_useRinger ? audio->setCurrentRinger(record->selectionId) : true;
            VelkWrapper::Instance()->SetCurrentAlertsDeviceName(record->selectionId);
            if (!telephony) result = true;
            break;
        case MediaDeviceTypeEnum::MICROPHONE: result = audio->setCurrentMicrophone(record->selectionId); break;
        default: break;
    }
    return result;
}

void MediaDeviceAdapter::setCurrentDevice(MediaDeviceType type, const PreferredMediaDevicePtr& record) {
    olvar::MutexGuard guard(setCurrentDeviceMutex);
    if (!(m_telephonyEnabled || m_telephonyP2PEnabled)) return;
    if (!record) {
        MDS_LOG_DEBUG(log(), "setCurrentDevice. mediaDevicePtr is null");
        return;
    }
    auto& entry = DeviceTypeConfigKeys[type];
    entry.resize(2);
    entry[0] = MirelCoreUtils::toWideString(record->hardwareId);
    entry[1] = MirelCoreUtils::toWideString(record->friendlyName);

    auto accessories = m_pUnifiedFactory->getFeatureSet<TelephonyAccessoriesFeatureSet>();
    if (!accessories) return;
    const auto& speaker = DeviceTypeConfigKeys[MediaDeviceTypeEnum::SPEAKER];
    const auto& microphone = DeviceTypeConfigKeys[MediaDeviceTypeEnum::MICROPHONE];
    const int kind = accessoryDeviceKind(type);
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

std::string MediaDeviceAdapter::getCurrentSelectionId(MediaDeviceType type) {
    auto featureSet = m_pUnifiedFactory->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
    if (!featureSet) return {};
    if (type == MediaDeviceTypeEnum::CAMERA) {
        auto video = featureSet->getVideoControl();
        return video ? video->getCurrentCaptureDevice() : std::string();
    }
    auto audio = featureSet->getAudioControl();
    return audio ? audio->getCurrentDevice(type) : std::string();
}

void MediaDeviceAdapter::setMediaDeviceVolume(MediaDeviceType type, PreferredMediaDevicePtr device, int volume) {
    postToWorker([this, type, device, volume] { setMediaDeviceVolumeImpl(type, device, volume); },
                 "MediaDeviceAdapter::setMediaDeviceVolumeImpl");
}

void MediaDeviceAdapter::setMediaDeviceVolumeImpl(MediaDeviceType type, PreferredMediaDevicePtr record, int volume) {
    olvar::MutexGuard guard(m_preferredLists.mutex(type));
    if (!record) return;
    const DeviceTypeInfo* row = DeviceTypeTable::find(type);
    if (!row || !writeVolume(row->volume, record->selectionId, volume)) return;
    const auto changed = m_preferredLists.updateRecord(type, record->uniqueIdentifier, [volume](auto& entry) {
        entry.volume = volume;
        return true;
    });
    if (changed) postServicesDeviceVolume(type, *changed);
}

void MediaDeviceAdapter::postServicesDeviceVolume(MediaDeviceType type, const PreferredMediaDeviceImpl& record) {
    std::shared_ptr<MediaDevice> device = std::make_shared<MediaDeviceImpl>(m_pUnifiedFactory, record);
    postToService([type, device](MediaDeviceServiceImpl& service) { service.setServicesDeviceVolume(type, device); },
                  "Calling MediaDeviceServiceImpl::setServicesDeviceVolume from MediaDeviceAdapter");
}

std::shared_ptr<olvar::velk::VolumeControl> MediaDeviceAdapter::volumeControl() {
    return m_deviceManager ? m_deviceManager->getVolumeControl() : nullptr;
}

std::shared_ptr<RingerVolumeControl> MediaDeviceAdapter::ringerVolumeControl() {
    auto featureSet = m_pUnifiedFactory->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
    return featureSet ? featureSet->getRingerVolumeControl() : nullptr;
}

bool MediaDeviceAdapter::writeVolume(VolumeKind kind, const std::string& selectionId, int volume) {
    switch (kind) {
        case VolumeKind::SpeakerVolume: {
            auto control = volumeControl();
            return control && control->setSpeakerVolume(selectionId, volume);
        }
        case VolumeKind::InputGain:
            // The gain is taken as set whatever the control answers, or without a control.
            if (auto control = volumeControl()) control->setInputGain(selectionId, volume);
            return true;
        case VolumeKind::RingerVolume: {
            auto ringer = ringerVolumeControl();
            return ringer && ringer->setRingerVolume(volume);
        }
        case VolumeKind::None: break;
    }
    return false;
}

int MediaDeviceAdapter::readVolume(VolumeKind kind, const std::string& selectionId) {
    switch (kind) {
        case VolumeKind::SpeakerVolume: {
            auto control = volumeControl();
            return control ? control->getSpeakerVolume(selectionId) : -1;
        }
        case VolumeKind::InputGain: {
            auto control = volumeControl();
            return control ? control->getInputGain(selectionId) : -1;
        }
        case VolumeKind::RingerVolume: {
            auto ringer = ringerVolumeControl();
            return ringer ? ringer->getRingerVolume() : -1;
        }
        case VolumeKind::None: break;
    }
    return -1;
}

int MediaDeviceAdapter::GetDeviceVolumeFromVolumeCtrl(MediaDeviceType type, const std::string& selectionId) {
    const DeviceTypeInfo* row = DeviceTypeTable::find(type);
    return row ? readVolume(row->volume, selectionId) : -1;
}

int MediaDeviceAdapter::GetDeviceVolumeFromPreferedDeviceList(MediaDeviceType type, const std::string& selectionId) {
    // The services dispatcher reads here while the worker changes records: a copy, taken under the lock.
    const auto record = m_preferredLists.findRecord(
        type, [&](const PreferredMediaDeviceImpl& entry) { return entry.selectionId == selectionId; });
    return record ? record->volume : -1;
}

int MediaDeviceAdapter::getDeviceVolume(MediaDeviceType type, const std::string& selectionId) {
    int volume = GetDeviceVolumeFromVolumeCtrl(type, selectionId);
    if (volume != -1) return volume;
    volume = GetDeviceVolumeFromPreferedDeviceList(type, selectionId);
    if (volume != -1) return volume;
    return volumeControl() ? DeviceTypeTable::listOwner(type).defaultVolume : -1;
}

int MediaDeviceAdapter::getDeviceVolume(MediaDeviceType type, const PreferredMediaDevicePtr& record) {
    if (!record) return -1;
    const DeviceTypeInfo* row = DeviceTypeTable::find(type);
    if (row && row->keepsStoredVolume && record->volume != -1) return record->volume;
    return getDeviceVolume(type, record->selectionId);
}

int MediaDeviceAdapter::getSpeakerDeviceVolume(std::string selectionId) {
    auto control = volumeControl();
    if (!control) return 0;
    const int volume = control->getSpeakerVolume(selectionId);
    if (volume != -1) return volume;
    return GetDeviceVolumeFromPreferedDeviceList(MediaDeviceTypeEnum::SPEAKER, selectionId);
}

void MediaDeviceAdapter::setUseRinger(bool useRinger) {
    postToWorker(
        [this, useRinger] {
            // A separate ringer switched on or off re-selects the ringer from its list.
            if (m_useRinger == useRinger) return;
            m_useRinger = useRinger;
            setCurrentDeviceFromPreferredDeviceList(MediaDeviceTypeEnum::RINGER);
        },
        "MediaDeviceAdapter::setUseRingerImpl");
}

void MediaDeviceAdapter::setCurrentMediaDeviceByAccessoryType(AccessoryDeviceTypeEnum::AccessoryDeviceType accessoryType) {
    if (m_mediaDeviceService) m_mediaDeviceService->setCurrentMediaDeviceByAccessoryType(accessoryType);
}

void MediaDeviceAdapter::setCurrentMediaDeviceByHardwareId(const std::wstring& hardwareId) {
    if (m_mediaDeviceService) m_mediaDeviceService->setCurrentMediaDeviceByHardwareId(hardwareId);
}

}  // namespace OlvarUnified
