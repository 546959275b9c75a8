// The media device service clients see: published preferred lists, current devices and
// availability, with requests forwarded to the media-device feature set. Everything here
// runs on the services dispatcher thread; the adapter reaches the entry points only by
// posting to it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "module/Export.h"
#include "module/MediaDeviceTypes.h"
#include "objects/mediaDeviceService/generated/MediaDeviceServiceBaseImpl.h"

namespace OlvarUnified {

class AccessoriesEventHandler;
class ConfigService;
class MediaDeviceFeatureSet;
class MediaDeviceImpl;
class MediaDeviceBaseImpl;
class TelephonyService;
class UnifiedFactory;

class MDS_EXPORT MediaDeviceServiceImpl : public MediaDeviceServiceBaseImpl {
public:
    using MediaDeviceType = MediaDeviceTypeEnum::MediaDeviceType;
    using Device = std::shared_ptr<MediaDevice>;
    using SessionIds = std::shared_ptr<std::vector<long>>;

    explicit MediaDeviceServiceImpl(std::shared_ptr<UnifiedFactory> factory);
    ~MediaDeviceServiceImpl() override;

    // Device lists and current devices.
    Device getCurrentOutputDevice() override;
    Device getCurrentInputDevice() override;
    Device getCurrentRingerDevice() override;
    Device getCurrentCaptureDevice() override;
    DeviceList getAvailableOutputDevices() override;
    DeviceList getAvailableInputDevices() override;
    DeviceList getAvailableRingerDevices() override;
    DeviceList getAvailableCaptureDevices() override;
    int getPluggedInPositionInPreferredDeviceList(MediaDeviceType type, Device device) override;
    bool persistPreferredPreferredDeviceList() override;
    DeviceList getPreferredDeviceList(MediaDeviceType type) override;
    DeviceList getAvailableDeviceList(MediaDeviceType type) override;
    Device getCurrentDevice(MediaDeviceType type) override;
    Device getDeviceByHardwareId(std::wstring hardwareId) override;

    // Composite devices and the peak meter.
    float getCurrentInputDevicePeak() override;
    std::shared_ptr<std::vector<std::shared_ptr<CompositeMediaDevice>>> getCompositeDeviceList() override;
    bool initialisePeak(Device device) override;
    void unInitialisePeak(Device device) override;
    float getInputPeak(Device device) override;

    // Preferred lists, selection and volume.
    void modifyPreferredDeviceList(MediaDeviceType type, DeviceList first, DeviceList second) override;
    void setCurrentMediaDevice(MediaDeviceType type, Device device) override;
    void setDeviceVolume(MediaDeviceType type, Device device, int volume) override;
    void setCurrentDeviceVolume(MediaDeviceType type, int volume) override;
    void setMediaDeviceSelected(Device device) override;

    // Capture device and preview windows.
    bool setCaptureDevice(std::string name) override;
    std::string getCaptureDevice() override;
    void addLocalVideoPreviewWindow(void* window) override;
    void removeLocalVideoPreviewWindow(void* window) override;

    // Playback.
    long playWaveFileOnCurrentDevice(std::string file) override;
    long playWaveFile(std::string file, std::string device, int volume, bool loop) override;
    long playWaveFile(std::string file, std::string device, int volume) override;
    long playWaveFile(std::string file, std::string device) override;
    void stopWaveFilePlayout(long sessionId) override;
    void stopAllWaveFilePlayout() override;
    bool isAudioFileSupported(std::string file) override;
    long continueSoundOnNewDevice(int sessionId, std::string device, int number) override;
    void setVolumeForPlayingSessions(int volume, SessionIds sessionIds) override;
    void PlayWaveFileOnAllRingerDevices(std::string file, int volume, SessionIds sessionIds, bool loop) override;
    void StopWaveFileListPlayout(SessionIds sessionIds) override;
    void SetAllRingerDeviceVolume(int volume) override;
    void setPlayRingerOnAllDevices() override;
    void persistVolumes() override;
    Device getPlayRingerOnAllDevices() override;
    bool isPlayRingerOnAllDevices() override;

    // Selection by accessory.
    void setCurrentMediaDeviceByAccessoryType(AccessoryDeviceTypeEnum::AccessoryDeviceType accessoryType) override;
    void setCurrentMediaDeviceByHardwareId(std::wstring hardwareId) override;
    void SetUseRinger(bool useRinger) override;

    // Entry points the adapter posts to the services dispatcher.
    void setServicesDeviceVolume(MediaDeviceType type, Device device);
    void onDeviceAdded();
    void onDeviceRemoved();
    void onDeviceVolumeChanged(std::string selectionId, int volume);
    void setPreferredDeviceList(MediaDeviceType type, DeviceList devices, MediaDevicePositionEnum::MediaDevicePosition position);
    void updatePreferredDevice(MediaDeviceType type, Device device);
    void onSoundPlayFinished(long sessionId);
    void onLocalVideoPreviewAdded(void* window, bool success);
    void onLocalVideoPreviewRemoved(void* window, bool success);
    void onSelfViewVideoUpdated(void* window, MediaDeviceSelfViewDimensions dimensions);

    // Marks the device selected in the type's preferred list and refreshes the current device.
    void setDeviceSelected(MediaDeviceType type, Device device);
    DeviceList getAvailableMediaDeviceByHardwareId(MediaDeviceType type, std::wstring hardwareId);

private:
    // The service's published properties of one device type.
    struct TypeSlot;
    // The properties holding the type's preferred list: an unknown value means the speaker's.
    static const TypeSlot& listSlotOf(MediaDeviceType type);
    // The type's properties; null for an unknown value, which has no current device or availability.
    static const TypeSlot* slotOf(MediaDeviceType type);

    std::shared_ptr<MediaDeviceFeatureSet> featureSet();
    std::wstring configText(const wchar_t* key);
    void storeConfig(const wchar_t* key, const std::wstring& value);

    Device getCurrentDeviceProperties(MediaDeviceType type);
    void setCurrentDeviceProperties(MediaDeviceType type);
    bool getIsCurrentDeviceAvailable(MediaDeviceType type);
    void setIsCurrentDeviceAvailable(MediaDeviceType type, bool value);
    void setIsCurrentDeviceAvailableIfNeeded(MediaDeviceType type);
    DeviceList getAvailableAccessoriesByType(AccessoryDeviceTypeEnum::AccessoryDeviceType accessoryType,
                                             MediaDeviceType type);
    Device getPrefferedAccessoryDevice(AccessoryDeviceTypeEnum::AccessoryDeviceType accessoryType,
                                       MediaDeviceType type);

    DeviceList getItemsNotInList(DeviceList reference, DeviceList candidates);
    void addNewItemsToPreferredDeviceList(MediaDeviceType type, DeviceList added,
                                          MediaDevicePositionEnum::MediaDevicePosition position);
    void removeItemsFromPreferredDeviceList(MediaDeviceType type, DeviceList removed);
    void sortPreferredDeviceList(MediaDeviceType type, DeviceList devices);
    void firePreferredDeviceListSet(MediaDeviceType type, DeviceList added, DeviceList removed);

    int getAllRingerDeviceVolume();

    std::shared_ptr<UnifiedFactory> m_factory;
    std::shared_ptr<ConfigService> m_configService;
    std::shared_ptr<MediaDeviceImpl> m_allRingersDevice;
    std::shared_ptr<TelephonyService> m_telephonyService;
    std::shared_ptr<AccessoriesEventHandler> m_accessoriesEventHandler;
};

}  // namespace OlvarUnified
