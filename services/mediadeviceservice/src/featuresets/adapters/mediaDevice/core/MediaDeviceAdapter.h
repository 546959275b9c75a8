// The media-device feature set: owns the device manager connection, the preferred-device
// lists, their properties file and the event observer; the service reaches devices through it.
// It wires its collaborators (lists, selection, volumes, the link to the service) and keeps
// the operations others call, each a short delegation to the collaborator that does it.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "OlvarUnified/FeatureSet.h"
#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "featuresets/adapters/mediaDevice/core/AdapterEvents.h"
#include "featuresets/adapters/mediaDevice/core/AdapterSettings.h"
#include "featuresets/adapters/mediaDevice/core/CurrentDeviceSelection.h"
#include "featuresets/adapters/mediaDevice/core/DeviceVolumes.h"
#include "featuresets/adapters/mediaDevice/core/ResetDataTarget.h"
#include "featuresets/adapters/mediaDevice/core/ServiceLink.h"
#include "featuresets/adapters/mediaDevice/preferred/PreferredDeviceLists.h"
#include "module/Export.h"
#include "module/MediaDeviceFeatureSet.h"
#include "module/MediaDeviceTypes.h"
#include "olvar/Mutex.h"
#include "ravo/VideoTypes.h"
#include "velk/DeviceManager.h"

namespace OlvarUnified {

class UnifiedFactory;
class MediaDeviceServiceImpl;
class MediaDeviceEventObserver;
class MediaDevicePropertyFileConfigStore;
class MediaDevicePropertyFileConfigStoreResetCallback;
class ConfigFeatureSet;
class ResetDataCallbackHolder;

class MDS_EXPORT MediaDeviceAdapter : public FeatureSetAdapter,
                                      public MediaDeviceFeatureSet,
                                      public AdapterEvents,
                                      public ResetDataTarget,
                                      public std::enable_shared_from_this<MediaDeviceAdapter> {
public:
    explicit MediaDeviceAdapter(std::shared_ptr<UnifiedFactory> factory);
    ~MediaDeviceAdapter() override;

    // FeatureSetAdapter: act on MEDIA_DEVICE_FEATURE_SET_TYPE only.
    void StartFeatureSet(unsigned int featureSetType, ServiceEventList events) override;
    void StopFeatureSet(unsigned int featureSetType, ServiceEventList events) override;
    void Destroy() override;
    bool IsFeatureSetStarted(unsigned int featureSetType) override;
    bool IsFeatureSetProvisioned(unsigned int featureSetType) override;
    std::vector<unsigned int> GetFeatureSetDependencies(unsigned int featureSetType) override;
    virtual void modifyPreferredDeviceListImpl(MediaDeviceTypeEnum::MediaDeviceType type,
                                               PreferredMediaDeviceList orderedList, PreferredMediaDeviceList otherList);

    // MediaDeviceFeatureSet.
    void modifyPreferredDeviceList(MediaDeviceTypeEnum::MediaDeviceType type, PreferredMediaDeviceList orderedList,
                                   PreferredMediaDeviceList otherList) override;
    bool persistPreferredDeviceList() override;
    void setCurrentMediaDevice(MediaDeviceTypeEnum::MediaDeviceType type, PreferredMediaDevicePtr device) override;
    bool setCaptureDevice(std::string selectionId) override;
    std::string getCaptureDevice() override;
    void setMediaDeviceVolume(MediaDeviceTypeEnum::MediaDeviceType type, PreferredMediaDevicePtr device,
                              int volume) override;
    float getInputDevicePeak(PreferredMediaDevicePtr device) override;
    void initialisePeak(PreferredMediaDevicePtr device) override;
    void unInitialisePeak(PreferredMediaDevicePtr device) override;
    void addLocalVideoPreviewWindow(void* window) override;
    void removeLocalVideoPreviewWindow(void* window) override;
    long playWaveFile(std::string file, std::string device, int volume, bool loop) override;
    void stopWaveFilePlayout(long sessionId) override;
    void stopAllWaveFilePlayout() override;
    bool isAudioFileSupported(std::string file) override;
    long continueSoundOnNewDevice(int sessionId, std::string device, int unused) override;
    void setVolumeForPlayingSessions(int volume, std::shared_ptr<std::vector<long>> sessionIds) override;
    int getSpeakerDeviceVolume(std::string selectionId) override;
    void setUseRinger(bool useRinger) override;
    void setCurrentMediaDeviceByAccessoryType(AccessoryDeviceTypeEnum::AccessoryDeviceType accessoryType) override;
    void setCurrentMediaDeviceByHardwareId(const std::wstring& hardwareId) override;
    DeviceList getPluginDevice(MediaDeviceTypeEnum::MediaDeviceType type) override;

    // Configuration.
    bool GetConfigValue(const std::wstring& key, std::wstring& value);
    void SetConfigValue(const std::wstring& key, const std::wstring& value);
    void GetPrioritizeNewAudioDeviceConfigValue(std::wstring& value);

    // Reset-data callback.
    void resetData() override;
    void registerResetDataCallback();
    void unregisterResetDataCallback();
    void unregisterResetDataCallbackImpl();

    // Device events (background worker).
    void onDeviceAdded(olvar::velk::DeviceInfoPtr device, olvar::velk::DeviceInfoList sameKindDevices) override;
    void onDeviceRemoved(olvar::velk::DeviceInfoPtr device, olvar::velk::DeviceInfoList sameKindDevices) override;
    void onVideoResolutionChanged(void* windowHandle, std::shared_ptr<olvar::ravo::VideoFormat> format) override;
    void onSessionFinished(long sessionId) override;
    // Volume events, from whoever forwards the device manager's volume changes.
    void onDeviceVolumeChanged(std::string deviceName, int volume);
    void onApplicationVolumeChange(std::string deviceName, int volume);
    void onInputGainChange(std::string deviceName, int gain);

    // Preferred-list engine.
    void initialisePreferredDeviceListFromConfig(MediaDeviceTypeEnum::MediaDeviceType type);
    PreferredMediaDeviceList updatePreferredFromAvailable(MediaDeviceTypeEnum::MediaDeviceType type,
                                                          MediaDevicePositionEnum::MediaDevicePosition position,
                                                          olvar::velk::DeviceInfoList& available);
    bool updatePreferredListWhereSelectionIdMatches(std::vector<PreferredMediaDevicePtr>& preferredGroup,
                                                    olvar::velk::DeviceInfoList& availableGroup,
                                                    std::vector<int>& usedPreferred, std::vector<int>& usedAvailable,
                                                    MediaDeviceTypeEnum::MediaDeviceType type);
    bool updatePreferredDevice(PreferredMediaDevicePtr record, olvar::velk::DeviceInfoPtr device,
                               MediaDeviceTypeEnum::MediaDeviceType type);
    bool setCurrentDeviceFromPreferredDeviceList(MediaDeviceTypeEnum::MediaDeviceType type);
    void setMediaDeviceServicePreferredDeviceList(MediaDeviceTypeEnum::MediaDeviceType type,
                                                  MediaDevicePositionEnum::MediaDevicePosition position);
    void updateServicesPreferredDevice(MediaDeviceTypeEnum::MediaDeviceType type, PreferredMediaDevicePtr record);
    static bool preferredDeviceListContainsItem(const PreferredMediaDeviceList& list,
                                                const PreferredMediaDevicePtr& record);
    bool persistPreferredDeviceListImpl();
    void getAvailableDeviceInfo(MediaDeviceTypeEnum::MediaDeviceType type, olvar::velk::DeviceInfoList& out);
    olvar::velk::DeviceInfoPtr getDefaultDevice(MediaDeviceTypeEnum::MediaDeviceType type);
    static std::string getDeviceInfoString(const olvar::velk::DeviceInfoPtr& device);

    // Selection and volume (background worker).
    bool setCurrentMediaDeviceImpl(MediaDeviceTypeEnum::MediaDeviceType type, PreferredMediaDevicePtr record);
    void setMediaDeviceVolumeImpl(MediaDeviceTypeEnum::MediaDeviceType type, PreferredMediaDevicePtr record, int volume);
    int getDeviceVolume(MediaDeviceTypeEnum::MediaDeviceType type, const std::string& selectionId);
    int getDeviceVolume(MediaDeviceTypeEnum::MediaDeviceType type, const PreferredMediaDevicePtr& record);

    // The per-type lock of the preferred lists.
    olvar::Mutex& getMutex(MediaDeviceTypeEnum::MediaDeviceType type);
    // The stored list pointer of a type, for a caller that holds getMutex(type) for as long as
    // it uses the reference or anything it points to. The module itself reads and changes the
    // lists through their owner's snapshots instead.
    PreferredMediaDeviceList& getPreferredDeviceList(MediaDeviceTypeEnum::MediaDeviceType type);
    // A copy of a type's list (new records, shared with nothing); null before the first start.
    PreferredMediaDeviceList copyOfPreferredDeviceList(MediaDeviceTypeEnum::MediaDeviceType type);

    // Taken by the current-device selection only, which owns its use.
    static olvar::Mutex setCurrentDeviceMutex;

private:
    void startMediaDeviceFeatureSet(ServiceEventList events);
    void stopMediaDeviceFeatureSet(ServiceEventList events);
    void cleanup();
    void applyAudioBufferingMode();
    void reportCaptureDevicesPresent();
    void onVolumeChange(MediaDeviceTypeEnum::MediaDeviceType type, const std::string& deviceName, int volume);
    void setCurrentDevice(MediaDeviceTypeEnum::MediaDeviceType type, const PreferredMediaDevicePtr& record);
    PreferredMediaDevicePtr listedRecordOf(MediaDeviceTypeEnum::MediaDeviceType type,
                                           const PreferredMediaDevicePtr& record);
    PreferredMediaDeviceList mergeWithDevices(MediaDeviceTypeEnum::MediaDeviceType type,
                                              MediaDevicePositionEnum::MediaDevicePosition position,
                                              const olvar::velk::DeviceInfoList& available, bool markAbsentUnplugged);
    void refreshPreferredDeviceList(MediaDeviceTypeEnum::MediaDeviceType type);
    MediaDevicePositionEnum::MediaDevicePosition newDevicePosition();
    void refreshPreferredDeviceLists(const olvar::velk::DeviceInfoPtr& device);
    void refreshPreferredDeviceListsAfterEvent(const olvar::velk::DeviceInfoPtr& device);
    std::function<int(const std::string&)> volumeLookup(MediaDeviceTypeEnum::MediaDeviceType type);
    std::string getCurrentSelectionId(MediaDeviceTypeEnum::MediaDeviceType type);
    int GetDeviceVolumeFromVolumeCtrl(MediaDeviceTypeEnum::MediaDeviceType type, const std::string& selectionId);
    int GetDeviceVolumeFromPreferedDeviceList(MediaDeviceTypeEnum::MediaDeviceType type, const std::string& selectionId);
    std::shared_ptr<ConfigFeatureSet> configFeatureSet();
    void changeResetDataCallbackHolder(const char* attempt, const char* success,
                                       const std::function<void(ResetDataCallbackHolder&)>& change);
    void postToWorker(std::function<void()> call, const char* taskName);

    ServiceLink m_link;  // holds the factory and the service
    std::shared_ptr<MediaDevicePropertyFileConfigStore> m_mediaDevicePropertyFileConfigStorePtr;
    std::shared_ptr<olvar::velk::CommunicationsDeviceManager> m_deviceManager;
    olvar::Mutex m_mutex;
    // Atomic: written by the host's threads, read by the worker and the services dispatcher.
    std::atomic<MediaDeviceEventObserver*> m_eventObserver{nullptr};
    std::atomic<bool> m_featureSetStarted{false};
    AdapterSettings m_settings;
    // When the lists may be written over the file: 0 while they were never built from it (or
    // the file was reset since), odd while a start rebuilds them, even once built. A list that
    // never saw the file would replace the user's devices with nothing, so only built lists,
    // and whatever changed in them since, are persisted. Persists asked for during a rebuild
    // are done once it is complete.
    std::atomic<unsigned> m_preferredListsVersion{0};
    std::atomic<bool> m_persistAfterBuild{false};
    // The four preferred lists with their per-type locks; its header states the snapshot rule
    // and the lock order.
    PreferredDeviceLists m_preferredLists;
    DeviceVolumes m_volumes;
    CurrentDeviceSelection m_selection;
    std::shared_ptr<MediaDevicePropertyFileConfigStoreResetCallback> m_resetDataCallback;
};

}  // namespace OlvarUnified
