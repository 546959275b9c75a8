// Making a device current through the telephony side, and device volumes: delegations to the
// selection and the volumes.
#include "featuresets/adapters/mediaDevice/core/MediaDeviceAdapter.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "services/impl/MediaDeviceServiceImpl.h"

namespace OlvarUnified {

using MediaDeviceTypeEnum::MediaDeviceType;

namespace {
const OlvarLoggerHandle& log() { return Loggers::MediaDeviceAdapter; }
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
    const bool switched = m_selection.switchDeviceInUse(type, record);
    if (switched)
        if (auto listed = listedRecordOf(type, record)) m_link.postDeviceSelected(type, listed);
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

void MediaDeviceAdapter::setCurrentDevice(MediaDeviceType type, const PreferredMediaDevicePtr& record) {
    m_selection.setCurrentDevice(type, record);
}

std::string MediaDeviceAdapter::getCurrentSelectionId(MediaDeviceType type) {
    return m_selection.getCurrentSelectionId(type);
}

void MediaDeviceAdapter::setMediaDeviceVolume(MediaDeviceType type, PreferredMediaDevicePtr device, int volume) {
    postToWorker([this, type, device, volume] { setMediaDeviceVolumeImpl(type, device, volume); },
                 "MediaDeviceAdapter::setMediaDeviceVolumeImpl");
}

void MediaDeviceAdapter::setMediaDeviceVolumeImpl(MediaDeviceType type, PreferredMediaDevicePtr record, int volume) {
    olvar::MutexGuard guard(m_preferredLists.mutex(type));
    if (!record) return;
    if (const auto changed = m_volumes.setVolume(type, *record, volume)) m_link.postDeviceVolume(type, *changed);
}

int MediaDeviceAdapter::GetDeviceVolumeFromVolumeCtrl(MediaDeviceType type, const std::string& selectionId) {
    return m_volumes.fromControl(type, selectionId);
}

int MediaDeviceAdapter::GetDeviceVolumeFromPreferedDeviceList(MediaDeviceType type, const std::string& selectionId) {
    return m_volumes.fromPreferredList(type, selectionId);
}

int MediaDeviceAdapter::getDeviceVolume(MediaDeviceType type, const std::string& selectionId) {
    return m_volumes.deviceVolume(type, selectionId);
}

int MediaDeviceAdapter::getDeviceVolume(MediaDeviceType type, const PreferredMediaDevicePtr& record) {
    return m_volumes.deviceVolume(type, record);
}

int MediaDeviceAdapter::getSpeakerDeviceVolume(std::string selectionId) {
    return m_volumes.speakerDeviceVolume(selectionId);
}

void MediaDeviceAdapter::setUseRinger(bool useRinger) {
    postToWorker(
        [this, useRinger] {
            // A separate ringer switched on or off re-selects the ringer from its list.
            if (m_settings.m_useRinger == useRinger) return;
            m_settings.m_useRinger = useRinger;
            setCurrentDeviceFromPreferredDeviceList(MediaDeviceTypeEnum::RINGER);
        },
        "MediaDeviceAdapter::setUseRingerImpl");
}

void MediaDeviceAdapter::setCurrentMediaDeviceByAccessoryType(AccessoryDeviceTypeEnum::AccessoryDeviceType accessoryType) {
    if (const auto& service = m_link.service()) service->setCurrentMediaDeviceByAccessoryType(accessoryType);
}

void MediaDeviceAdapter::setCurrentMediaDeviceByHardwareId(const std::wstring& hardwareId) {
    if (const auto& service = m_link.service()) service->setCurrentMediaDeviceByHardwareId(hardwareId);
}

}  // namespace OlvarUnified
