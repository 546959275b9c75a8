#include "services/impl/MediaDeviceServiceImpl.h"

#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/ConfigFeatureSet.h"
#include "OlvarUnified/HostService.h"
#include "OlvarUnified/Telephony.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "featuresets/adapters/mediaDevice/accessories/AccessoriesEventHandler.h"
#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "module/DeviceTypeTable.h"
#include "module/MediaDeviceFeatureSet.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "objects/mediaDevice/MediaDeviceImpl.h"
#include "services/impl/DevicePropertyCopy.h"
#include "services/impl/ServiceTypeSlots.h"

namespace OlvarUnified {

using namespace DevicePropertyCopy;

namespace {

const wchar_t* const kAllRingers = L"PlayRingerOnAllDevices";
const wchar_t* const kPlayRingerOnAllDevicesKey = L"PlayRingerOnAllDevices";

template <class Service>
std::shared_ptr<Service> lookUpHostService() {
    return std::dynamic_pointer_cast<Service>(ServiceFactory::getInstance()->getService(unifiedTypeName<Service>()));
}

}  // namespace

MediaDeviceServiceImpl::MediaDeviceServiceImpl(std::shared_ptr<UnifiedFactory> factory)
    : MediaDeviceServiceBaseImpl(factory), m_factory(factory) {
    m_allRingersDevice = std::make_shared<MediaDeviceImpl>(factory);
    m_configService = lookUpHostService<ConfigService>();

    setPreferredOutputDevices(std::make_shared<std::vector<Device>>());
    setPreferredInputDevices(std::make_shared<std::vector<Device>>());
    setPreferredRingerDevices(std::make_shared<std::vector<Device>>());
    setPreferredCaptureDevices(std::make_shared<std::vector<Device>>());

    setLocalVideoPreviewWindowAdded(nullptr);
    setLocalVideoPreviewWindowRemoved(nullptr);
    setIsSpeakerDeviceAvailable(false);
    setIsMicrophoneDeviceAvailable(false);
    setIsVideoDeviceAvailable(false);
    setIsRingerDeviceAvailable(false);

    setCurrentSpeaker(std::make_shared<MediaDeviceImpl>(factory));
    setCurrentMicrophone(std::make_shared<MediaDeviceImpl>(factory));
    setCurrentRinger(std::make_shared<MediaDeviceImpl>(factory));
    setCurrentVideo(std::make_shared<MediaDeviceImpl>(factory));
    for (auto type : DeviceTypeTable::kStartOrder) setCurrentDeviceProperties(type);
    setCurrentSpeakerDeviceVolume(0);

    auto& all = *m_allRingersDevice;
    all.setName(kAllRingers);
    all.setType(MediaDeviceTypeEnum::RINGER);
    all.setHardwareId(kAllRingers);
    all.setSelectionId(kAllRingers);
    all.setFriendlyName(kAllRingers);
    all.setDeviceInterface(kAllRingers);
    all.setInstanceId(kAllRingers);
    all.setIsPluggedIn(true);
    all.setIsSelected(isPlayRingerOnAllDevices());
    all.setDeviceVolume(getAllRingerDeviceVolume());
    all.setIsPeakInitialised(false);

    m_telephonyService = lookUpHostService<TelephonyService>();
    m_accessoriesEventHandler = std::make_shared<AccessoriesEventHandler>(factory, this);
    m_accessoriesEventHandler->setTelephonyService(m_telephonyService);
}

// The handler holds this service by plain pointer: cut it loose before the service goes.
MediaDeviceServiceImpl::~MediaDeviceServiceImpl() { m_accessoriesEventHandler->detach(); }

std::shared_ptr<MediaDeviceFeatureSet> MediaDeviceServiceImpl::featureSet() {
    return m_factory ? m_factory->getFeatureSet<MediaDeviceFeatureSet>() : nullptr;
}

// Without a configuration service the keys read as empty texts and writes are dropped, so a
// host that forgot it gets defaults instead of a crash.
std::wstring MediaDeviceServiceImpl::configText(const wchar_t* key) {
    if (!m_configService) return {};
    auto value = m_configService->getConfig(key);
    return value ? value->getValue() : std::wstring();
}

void MediaDeviceServiceImpl::storeConfig(const wchar_t* key, const std::wstring& value) {
    if (m_configService) m_configService->setConfig(key, value);
}

// ---- Current devices -------------------------------------------------------------------

MediaDeviceServiceImpl::Device MediaDeviceServiceImpl::getCurrentOutputDevice() {
    return getCurrentDevice(MediaDeviceTypeEnum::SPEAKER);
}
MediaDeviceServiceImpl::Device MediaDeviceServiceImpl::getCurrentInputDevice() {
    return getCurrentDevice(MediaDeviceTypeEnum::MICROPHONE);
}
MediaDeviceServiceImpl::Device MediaDeviceServiceImpl::getCurrentRingerDevice() {
    return getCurrentDevice(MediaDeviceTypeEnum::RINGER);
}
MediaDeviceServiceImpl::Device MediaDeviceServiceImpl::getCurrentCaptureDevice() {
    return getCurrentDevice(MediaDeviceTypeEnum::CAMERA);
}
DeviceList MediaDeviceServiceImpl::getAvailableOutputDevices() {
    return getAvailableDeviceList(MediaDeviceTypeEnum::SPEAKER);
}
DeviceList MediaDeviceServiceImpl::getAvailableInputDevices() {
    return getAvailableDeviceList(MediaDeviceTypeEnum::MICROPHONE);
}
DeviceList MediaDeviceServiceImpl::getAvailableRingerDevices() {
    return getAvailableDeviceList(MediaDeviceTypeEnum::RINGER);
}
DeviceList MediaDeviceServiceImpl::getAvailableCaptureDevices() {
    return getAvailableDeviceList(MediaDeviceTypeEnum::CAMERA);
}

DeviceList MediaDeviceServiceImpl::getAvailableDeviceList(MediaDeviceType type) {
    auto features = featureSet();
    DeviceList devices = features ? features->getPluginDevice(type) : nullptr;
    return devices ? devices : std::make_shared<std::vector<Device>>();
}

MediaDeviceServiceImpl::Device MediaDeviceServiceImpl::getCurrentDevice(MediaDeviceType type) {
    auto preferred = getPreferredDeviceList(type);
    if (type == MediaDeviceTypeEnum::RINGER && isPlayRingerOnAllDevices()) {
        if (!getAvailableDeviceList(type)->empty()) return m_allRingersDevice;
        return nullptr;
    }
    for (const auto& device : *preferred) {
        if (device && device->getIsSelected()) return device;
    }
    return nullptr;
}

MediaDeviceServiceImpl::Device MediaDeviceServiceImpl::getCurrentDeviceProperties(MediaDeviceType type) {
    const TypeSlot* slot = slotOf(type);
    return slot ? (this->*slot->currentDevice)() : nullptr;
}

void MediaDeviceServiceImpl::setCurrentDeviceProperties(MediaDeviceType type) {
    auto current = getCurrentDevice(type);
    auto* held = asImpl(getCurrentDeviceProperties(type));
    if (!held) return;

    auto text = [&](std::wstring (MediaDevice::*get)()) { return current ? ((*current).*get)() : std::wstring(); };
    auto flag = [&](bool (MediaDevice::*get)()) { return current ? ((*current).*get)() : false; };

    copy(*held, MDS_DEVICE_PROPERTY(IsSelected), flag(&MediaDevice::getIsSelected));
    copy(*held, MDS_DEVICE_PROPERTY(IsPluggedIn), flag(&MediaDevice::getIsPluggedIn));
    copy(*held, MDS_DEVICE_PROPERTY(DeviceVolume), current ? current->getDeviceVolume() : 0);
    copy(*held, MDS_DEVICE_PROPERTY(Name), text(&MediaDevice::getName));
    copy(*held, MDS_DEVICE_PROPERTY(Vendor), text(&MediaDevice::getVendor));
    copy(*held, MDS_DEVICE_PROPERTY(SelectionId), text(&MediaDevice::getSelectionId));
    bool hardwareIdChanged = copy(*held, MDS_DEVICE_PROPERTY(HardwareId), text(&MediaDevice::getHardwareId), IgnoringCase{});
    copy(*held, MDS_DEVICE_PROPERTY(IsPeakInitialised), flag(&MediaDevice::getIsPeakInitialised));
    copy(*held, MDS_DEVICE_PROPERTY(FriendlyName), text(&MediaDevice::getFriendlyName));
    copy(*held, MDS_DEVICE_PROPERTY(DeviceInterface), text(&MediaDevice::getDeviceInterface));
    copy(*held, MDS_DEVICE_PROPERTY(Type), type);
    copy(*held, MDS_DEVICE_PROPERTY_SILENT(InstanceId), text(&MediaDevice::getInstanceId));

    if (type == MediaDeviceTypeEnum::SPEAKER) {
        if (auto features = featureSet()) {
            std::string id = MirelCoreUtils::toString(held->getSelectionId());
            onDeviceVolumeChanged(id, features->getSpeakerDeviceVolume(id));
        }
    }
    // held is the type's own object, so the type has a slot.
    if (hardwareIdChanged) (this->*slotOf(type)->fireCurrentChanged)();
}

void MediaDeviceServiceImpl::setDeviceSelected(MediaDeviceType type, Device device) {
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl,
                  "MediaDeviceServiceImpl::setDeviceSelected(): " << (device ? device->toString() : "NULL MediaDevicePtr"));
    for (const auto& element : *getPreferredDeviceList(type)) {
        auto* e = asImpl(element);
        if (!e) continue;
        bool isTheDevice = device && e->getUniqueIdentifier() == device->getUniqueIdentifier();
        if (!isTheDevice) {
            if (e->getIsSelected()) {
                e->setIsSelected(false);
                e->fireOnIsSelectedChanged();
            }
            continue;
        }
        bool keep = e->getIsSelected() || (type == MediaDeviceTypeEnum::RINGER && m_allRingersDevice->getIsSelected());
        if (keep) continue;
        e->setIsSelected(true);
        e->fireOnIsSelectedChanged();
        MDS_LOG_INFO(Loggers::MediaDeviceServiceImpl, "updating to selected" << e->toString());
    }
    setCurrentDeviceProperties(type);
}

// ---- Selection and volume ---------------------------------------------------------------

void MediaDeviceServiceImpl::setCurrentMediaDevice(MediaDeviceType type, Device device) {
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl, "MediaDeviceServiceImpl::setCurrentMediaDevice()");
    if (!device) return;  // nothing to select; the adapter needs a device to build its record
    if (auto features = featureSet()) {
        features->setCurrentMediaDevice(type, std::make_shared<PreferredMediaDeviceImpl>(device, type));
    }
    if (type != MediaDeviceTypeEnum::RINGER) return;

    bool isAllRingers = device->getSelectionId() == m_allRingersDevice->getSelectionId();
    bool playOnAll = isPlayRingerOnAllDevices();
    if (isAllRingers) {
        if (!playOnAll) storeConfig(kPlayRingerOnAllDevicesKey, L"TRUE");
        if (!m_allRingersDevice->getIsSelected()) {
            m_allRingersDevice->setIsSelected(true);
            m_allRingersDevice->fireOnIsSelectedChanged();
        }
    } else {
        if (playOnAll) storeConfig(kPlayRingerOnAllDevicesKey, L"FALSE");
        if (m_allRingersDevice->getIsSelected()) {
            m_allRingersDevice->setIsSelected(false);
            m_allRingersDevice->fireOnIsSelectedChanged();
        }
    }
}

void MediaDeviceServiceImpl::setMediaDeviceSelected(Device device) {
    if (device) setCurrentMediaDevice(device->getType(), device);
}

void MediaDeviceServiceImpl::setDeviceVolume(MediaDeviceType type, Device device, int volume) {
    if (!device) return;
    if (type == MediaDeviceTypeEnum::RINGER && device->getSelectionId() == kAllRingers) {
        SetAllRingerDeviceVolume(volume);
        return;
    }
    if (auto features = featureSet()) {
        features->setMediaDeviceVolume(type, std::make_shared<PreferredMediaDeviceImpl>(device, type), volume);
    }
}

void MediaDeviceServiceImpl::setCurrentDeviceVolume(MediaDeviceType type, int volume) {
    if (type == MediaDeviceTypeEnum::RINGER && isPlayRingerOnAllDevices()) {
        SetAllRingerDeviceVolume(volume);
        return;
    }
    auto current = getCurrentDevice(type);
    if (!current) return;
    if (auto features = featureSet()) {
        features->setMediaDeviceVolume(type, std::make_shared<PreferredMediaDeviceImpl>(current, type), volume);
    }
}

void MediaDeviceServiceImpl::setServicesDeviceVolume(MediaDeviceType type, Device device) {
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl, "MediaDeviceServiceImpl::setServicesDeviceVolume(): "
                                                       << (device ? device->toString() : "NULL MediaDevicePtr"));
    if (!device) return;
    for (const auto& element : *getPreferredDeviceList(type)) {
        auto* e = asImpl(element);
        if (!e || e->getUniqueIdentifier() != device->getUniqueIdentifier()) continue;
        e->setDeviceVolume(device->getDeviceVolume());
        e->fireOnDeviceVolumeChanged();
        if (e->getIsSelected()) {
            if (auto* held = asImpl(getCurrentDeviceProperties(type))) {
                held->setDeviceVolume(device->getDeviceVolume());
                held->fireOnDeviceVolumeChanged();
            }
        }
        return;
    }
}

void MediaDeviceServiceImpl::onDeviceVolumeChanged(std::string selectionId, int volume) {
    auto speaker = getCurrentSpeaker();
    if (!speaker || selectionId != MirelCoreUtils::toString(speaker->getSelectionId())) return;
    if (volume == getCurrentSpeakerDeviceVolume()) return;
    setCurrentSpeakerDeviceVolume(volume);
    fireOnCurrentSpeakerDeviceVolumeChanged();
}

void MediaDeviceServiceImpl::onDeviceAdded() { fireOnDeviceAddedChanged(); }
void MediaDeviceServiceImpl::onDeviceRemoved() { fireOnDeviceRemovedChanged(); }

// ---- Availability -----------------------------------------------------------------------

bool MediaDeviceServiceImpl::getIsCurrentDeviceAvailable(MediaDeviceType type) {
    const TypeSlot* slot = slotOf(type);
    return slot && (this->*slot->isAvailable)();
}

void MediaDeviceServiceImpl::setIsCurrentDeviceAvailable(MediaDeviceType type, bool value) {
    if (value == getIsCurrentDeviceAvailable(type)) return;
    const TypeSlot* slot = slotOf(type);
    if (!slot) return;
    (this->*slot->setAvailable)(value);
    (this->*slot->fireAvailableChanged)();
}

void MediaDeviceServiceImpl::setIsCurrentDeviceAvailableIfNeeded(MediaDeviceType type) {
    bool any = !getAvailableDeviceList(type)->empty();
    bool flag = getIsCurrentDeviceAvailable(type);
    if (any && !flag) setIsCurrentDeviceAvailable(type, true);
    if (!any && flag) setIsCurrentDeviceAvailable(type, false);
}

}  // namespace OlvarUnified
