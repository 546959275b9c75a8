// Construction, the host's feature-set operations, configuration and the reset callback.
#include "featuresets/adapters/mediaDevice/core/MediaDeviceAdapter.h"

#include "MirelCoreUtils/FileUtils.h"
#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/ConfigFeatureSet.h"
#include "OlvarUnified/SystemService.h"
#include "OlvarUnified/Telephony.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "featuresets/adapters/mediaDevice/core/MediaDeviceBackgroundWorker.h"
#include "featuresets/adapters/mediaDevice/core/MediaDeviceEventObserver.h"
#include "featuresets/adapters/mediaDevice/preferred/MediaDevicePropertyFileConfigStore.h"
#include "featuresets/adapters/mediaDevice/core/MediaDevicePropertyFileConfigStoreResetCallback.h"
#include "featuresets/adapters/mediaDevice/playback/SoundPlayUtils.h"
#include "module/DeviceTypeTable.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "velk/VelkWrapper.h"

namespace OlvarUnified {

using MediaDeviceTypeEnum::MediaDeviceType;

namespace {
const OlvarLoggerHandle& log() { return Loggers::MediaDeviceAdapter; }
constexpr const char* kPropertiesFileName = "deviceData4.properties";
}  // namespace

olvar::Mutex MediaDeviceAdapter::setCurrentDeviceMutex;

MediaDeviceAdapter::MediaDeviceAdapter(std::shared_ptr<UnifiedFactory> factory)
    : m_link(factory),
      m_mediaDevicePropertyFileConfigStorePtr(std::make_shared<MediaDevicePropertyFileConfigStore>(
          kPropertiesFileName,
          MirelCoreUtils::FileUtils::getConfigDirectory() + MirelCoreUtils::FileUtils::FileSeparator())),
      m_deviceManager(VelkWrapper::Instance()->Mgr()),
      m_volumes(VolumeChannels(factory, m_deviceManager), m_preferredLists),
      m_selection(factory, m_settings, setCurrentDeviceMutex, DeviceTypeConfigKeys) {
    m_resetDataCallback = std::make_shared<MediaDevicePropertyFileConfigStoreResetCallback>(this);
    registerResetDataCallback();
}

MediaDeviceAdapter::~MediaDeviceAdapter() = default;

void MediaDeviceAdapter::StartFeatureSet(unsigned int featureSetType, ServiceEventList events) {
    MDS_LOG_DEBUG(log(), "StartFeatureSet type: " << featureSetType);
    olvar::MutexGuard guard(m_mutex);
    if (featureSetType == MEDIA_DEVICE_FEATURE_SET_TYPE)
        startMediaDeviceFeatureSet(std::move(events));
    else
        MDS_LOG_WARNING(log(), "Unable to start FeatureSetType " << featureSetType);
}

void MediaDeviceAdapter::StopFeatureSet(unsigned int featureSetType, ServiceEventList events) {
    MDS_LOG_DEBUG(log(), "StopFeatureSet type: " << featureSetType);
    olvar::MutexGuard guard(m_mutex);
    if (featureSetType == MEDIA_DEVICE_FEATURE_SET_TYPE)
        stopMediaDeviceFeatureSet(std::move(events));
    else
        MDS_LOG_WARNING(log(), "Unable to stop FeatureSetType " << featureSetType);
}

void MediaDeviceAdapter::startMediaDeviceFeatureSet(ServiceEventList) {
    olvar::MutexGuard guard(m_mutex);
    MDS_LOG_DEBUG(log(), "MediaDeviceAdapter::startMediaDeviceFeatureSet()");
    m_featureSetStarted = true;

    std::wstring value;
    auto config = configFeatureSet();
    if (config && config->getConfigValue(L"Voicemail_Enabled", value, true))
        m_settings.m_voicemailEnabled = MirelCoreUtils::toBool(value);

    if (!m_deviceManager) {
        MDS_LOG_ERROR(log(), "MediaDeviceAdapter::startMediaDeviceFeatureSet() - can not get the VELK manager ");
        return;
    }

    if (!m_eventObserver) m_eventObserver = new MediaDeviceEventObserver(this);
    if (auto monitor = m_deviceManager->getDeviceMonitor()) monitor->addObserver(m_eventObserver);
    if (auto volume = m_deviceManager->getVolumeControl()) volume->addObserver(m_eventObserver);

    m_preferredListsVersion = (m_preferredListsVersion + 1) | 1u;
    for (const auto& row : DeviceTypeTable::all())
        m_preferredLists.replace(row.type, std::make_shared<std::vector<PreferredMediaDevicePtr>>());

    std::wstring headsetPreference;
    GetPrioritizeNewAudioDeviceConfigValue(headsetPreference);
    MDS_LOG_INFO(log(), "Get config value - HeadsetPreference:" << MirelCoreUtils::toString(headsetPreference));

    applyAudioBufferingMode();

    if (m_mediaDevicePropertyFileConfigStorePtr) {
        m_mediaDevicePropertyFileConfigStorePtr->migrateLegacyFile();
        m_mediaDevicePropertyFileConfigStorePtr->readFromFile();
    }

    for (auto type : DeviceTypeTable::kStartOrder) initialisePreferredDeviceListFromConfig(type);
    ++m_preferredListsVersion;
    if (m_persistAfterBuild.exchange(false)) persistPreferredDeviceListImpl();

    reportCaptureDevicesPresent();
}

void MediaDeviceAdapter::applyAudioBufferingMode() {
    auto player = std::dynamic_pointer_cast<olvar::velk::PcmPlayerEx>(m_deviceManager->getPcmPlayer());
    auto config = configFeatureSet();
    std::wstring mode;
    if (!player || !config || !config->getConfigValue(L"AudioBufferingMode", mode, true)) return;
    int code = 2;
    if (MirelCoreUtils::caseInsensitiveStringEquals(mode, L"HighQuality"))
        code = 0;
    else if (MirelCoreUtils::caseInsensitiveStringEquals(mode, L"LowQuality"))
        code = 1;
    MDS_LOG_DEBUG(log(), "VELK Player audio buffering mode will be set to: [" << MirelCoreUtils::toString(mode) << "]");
    player->setAudioBufferingMode(code);
}

void MediaDeviceAdapter::reportCaptureDevicesPresent() {
    auto telephony = m_link.factory() ? m_link.factory()->getFeatureSet<TelephonyMediaDeviceFeatureSet>() : nullptr;
    if (!telephony) return;
    telephony->setCaptureDeviceAvailable(!VelkWrapper::Instance()->GetCaptureDevices().empty());
}

void MediaDeviceAdapter::stopMediaDeviceFeatureSet(ServiceEventList) {
    MDS_LOG_TRACE(log(), "MediaDeviceAdapter::stopMediaDeviceFeatureSet()");
    olvar::MutexGuard guard(m_mutex);
    cleanup();
}

void MediaDeviceAdapter::cleanup() {
    MDS_LOG_TRACE(log(), "MediaDeviceAdapter::cleanup()");
    olvar::MutexGuard guard(m_mutex);
    if (m_featureSetStarted) {
        persistPreferredDeviceListImpl();
        if (m_deviceManager) {
            MediaDeviceEventObserver* observer = m_eventObserver;
            if (auto monitor = m_deviceManager->getDeviceMonitor()) monitor->removeObserver(observer);
            if (auto volume = m_deviceManager->getVolumeControl()) volume->removeObserver(observer);
            SoundPlayUtils::ClearSessionObservers();
            m_eventObserver = nullptr;
            delete observer;
        }
    }
    m_featureSetStarted = false;
}

void MediaDeviceAdapter::Destroy() {
    MDS_LOG_TRACE(log(), "MediaDeviceAdapter::Destroy()");
    olvar::MutexGuard guard(m_mutex);
    cleanup();
    unregisterResetDataCallback();
}

bool MediaDeviceAdapter::IsFeatureSetStarted(unsigned int featureSetType) {
    olvar::MutexGuard guard(m_mutex);
    const bool result = featureSetType == MEDIA_DEVICE_FEATURE_SET_TYPE && m_featureSetStarted;
    MDS_LOG_DEBUG(log(), "MediaDeviceAdapter::IsFeatureSetStarted (" << featureSetType << ") = " << (result ? 1 : 0));
    return result;
}

bool MediaDeviceAdapter::IsFeatureSetProvisioned(unsigned int featureSetType) {
    const bool result = featureSetType == MEDIA_DEVICE_FEATURE_SET_TYPE;
    if (!result) MDS_LOG_WARNING(log(), "Unknown FeatureSetType [" << featureSetType << "]");
    MDS_LOG_DEBUG(log(), "result [" << (result ? "true" : "false") << "]");
    return result;
}

std::vector<unsigned int> MediaDeviceAdapter::GetFeatureSetDependencies(unsigned int featureSetType) {
    if (featureSetType != MEDIA_DEVICE_FEATURE_SET_TYPE) return {};
    auto config = configFeatureSet();
    if (!config) return {TELEPHONY_FEATURE_SET_TYPE};
    std::wstring value;
    if (config->getConfigValue(L"Telephony_Enabled", value, false))
        m_settings.m_telephonyEnabled = MirelCoreUtils::toBool(value);
    if (config->getConfigValue(L"Telephony_P2P_Enabled", value, false))
        m_settings.m_telephonyP2PEnabled = MirelCoreUtils::toBool(value);
    if (m_settings.m_telephonyEnabled) return {TELEPHONY_FEATURE_SET_TYPE};
    return {};
}

std::shared_ptr<ConfigFeatureSet> MediaDeviceAdapter::configFeatureSet() {
    return m_link.factory() ? m_link.factory()->getFeatureSet<ConfigFeatureSet>() : nullptr;
}

bool MediaDeviceAdapter::GetConfigValue(const std::wstring& key, std::wstring& value) {
    auto config = configFeatureSet();
    return config && config->getConfigValue(key, value, false);
}

void MediaDeviceAdapter::SetConfigValue(const std::wstring& key, const std::wstring& value) {
    auto config = configFeatureSet();
    if (!config) return;
    config->setConfigValue(key, value);
    MDS_LOG_INFO_W(log(), L"Set config value - " << key << L": " << value);
}

void MediaDeviceAdapter::GetPrioritizeNewAudioDeviceConfigValue(std::wstring& value) {
    if (GetConfigValue(L"HeadsetPreference", value)) return;
    value = L"PreferNewDevice";
    SetConfigValue(L"HeadsetPreference", value);
}

// Registration and its removal log the same way: the attempt, then its success when the host
// has a holder.
void MediaDeviceAdapter::changeResetDataCallbackHolder(const char* attempt, const char* success,
                                                       const std::function<void(ResetDataCallbackHolder&)>& change) {
    MDS_LOG_INFO(log(), attempt);
    auto system = m_link.factory() ? m_link.factory()->getService<SystemService>() : nullptr;
    auto holder = system ? system->getResetDataCallbackHolder() : nullptr;
    if (!holder) return;
    change(*holder);
    MDS_LOG_INFO(log(), success);
}

void MediaDeviceAdapter::registerResetDataCallback() {
    changeResetDataCallbackHolder("register reset data call back", "register reset data call back - success",
                                  [this](ResetDataCallbackHolder& holder) { holder.addCallback(m_resetDataCallback); });
}

void MediaDeviceAdapter::unregisterResetDataCallback() {
    auto dispatcher = m_link.factory() ? m_link.factory()->getServicesDispatcher() : nullptr;
    if (!dispatcher || dispatcher->checkForUpdateAccess()) {
        unregisterResetDataCallbackImpl();
        return;
    }
    dispatcher->enqueueBlock(
        std::make_shared<FunctionTask>([this] { unregisterResetDataCallbackImpl(); },
                                       "Calling MediaDeviceAdapter::unregisterResetDataCallbackImpl on dispatcher thread"),
        false, true);
}

void MediaDeviceAdapter::unregisterResetDataCallbackImpl() {
    changeResetDataCallbackHolder(
        "unregister reset data call back", "unregister reset data call back  - success",
        [this](ResetDataCallbackHolder& holder) { holder.removeCallback(m_resetDataCallback); });
}

void MediaDeviceAdapter::resetData() {
    MDS_LOG_INFO(log(), "reset data");
    olvar::MutexGuard guard(m_mutex);
    if (m_featureSetStarted) {
        MDS_LOG_ERROR(log(), "Media device feature set is not stopped");
        return;
    }
    if (m_mediaDevicePropertyFileConfigStorePtr) {
        // Under the file lock, so a persist already under way either lands before the removal
        // or sees that the lists no longer stand for the file.
        olvar::MutexGuard fileGuard(MediaDevicePropertyFileConfigStore::storeFileLock);
        m_preferredListsVersion = 0;
        m_mediaDevicePropertyFileConfigStorePtr->removeFileToCleanConfigStore();
    } else
        MDS_LOG_ERROR(log(), "m_mediaDevicePropertyFileConfigStorePtr is NULL");
}

olvar::Mutex& MediaDeviceAdapter::getMutex(MediaDeviceType type) { return m_preferredLists.mutex(type); }

PreferredMediaDeviceList& MediaDeviceAdapter::getPreferredDeviceList(MediaDeviceType type) {
    olvar::MutexGuard guard(getMutex(type));
    return m_preferredLists.storedList(type);
}

PreferredMediaDeviceList MediaDeviceAdapter::copyOfPreferredDeviceList(MediaDeviceType type) {
    return m_preferredLists.snapshot(type);
}

void MediaDeviceAdapter::postToWorker(std::function<void()> call, const char* taskName) {
    MediaDeviceBackgroundWorker::instance()->doTask(std::make_shared<FunctionTask>(std::move(call), taskName));
}

}  // namespace OlvarUnified
