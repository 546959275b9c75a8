// Composite headset devices, preview windows, the capture device and the peak meter.
#include "featuresets/adapters/mediaDevice/accessories/AccessoryHardwareId.h"
#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "module/MediaDeviceFeatureSet.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "objects/compositeMediaDevice/CompositeMediaDeviceBaseImpl.h"
#include "objects/localVideoPreviewDimensions/LocalVideoPreviewDimensionsBaseImpl.h"
#include "services/impl/MediaDeviceServiceImpl.h"

namespace OlvarUnified {

namespace {

// A headset's endpoints share the hardware id up to the last '&' (the interface suffix).
std::wstring compositeKey(const std::wstring& hardwareId) {
    auto cut = hardwareId.rfind(L'&');
    return cut == std::wstring::npos ? hardwareId : hardwareId.substr(0, cut);
}

// Equal keys alone would pair any two endpoints of one product; the microphone must also
// carry the speaker's full hardware id (an unnamed speaker pairs with any).
bool pairs(MediaDevice& speaker, MediaDevice& microphone) {
    auto speakerId = speaker.getHardwareId();
    auto microphoneId = microphone.getHardwareId();
    if (compositeKey(speakerId) != compositeKey(microphoneId)) return false;
    return speakerId.empty() || speakerId == microphoneId;
}

}  // namespace

std::shared_ptr<std::vector<std::shared_ptr<CompositeMediaDevice>>> MediaDeviceServiceImpl::getCompositeDeviceList() {
    auto composites = std::make_shared<std::vector<std::shared_ptr<CompositeMediaDevice>>>();
    auto speakers = getAvailableOutputDevices();
    auto microphones = getAvailableInputDevices();
    for (const auto& speaker : *speakers) {
        if (!speaker) continue;
        for (const auto& microphone : *microphones) {
            if (!microphone || !pairs(*speaker, *microphone)) continue;
            auto composite = std::make_shared<CompositeMediaDeviceBaseImpl>(m_factory);
            composite->setName(speaker->getFriendlyName());
            composite->setFullName(speaker->getName());
            composite->setCompositeType(AccessoryHardwareId::getAccessoryByHardwareId(compositeKey(speaker->getHardwareId())));
            composite->setMediaDevices(std::make_shared<std::vector<Device>>(std::vector<Device>{speaker, microphone}));
            composites->push_back(composite);
            break;
        }
    }
    return composites;
}

void MediaDeviceServiceImpl::addLocalVideoPreviewWindow(void* window) {
    if (auto features = featureSet()) features->addLocalVideoPreviewWindow(window);
}

void MediaDeviceServiceImpl::removeLocalVideoPreviewWindow(void* window) {
    if (auto features = featureSet()) features->removeLocalVideoPreviewWindow(window);
}

void MediaDeviceServiceImpl::onLocalVideoPreviewAdded(void* window, bool success) {
    setLocalVideoPreviewWindowAdded(success ? window : nullptr);
    fireOnLocalVideoPreviewWindowAddedChanged();
}

void MediaDeviceServiceImpl::onLocalVideoPreviewRemoved(void* window, bool success) {
    setLocalVideoPreviewWindowRemoved(success ? window : nullptr);
    fireOnLocalVideoPreviewWindowRemovedChanged();
}

void MediaDeviceServiceImpl::onSelfViewVideoUpdated(void* window, MediaDeviceSelfViewDimensions dimensions) {
    auto published = std::make_shared<LocalVideoPreviewDimensionsBaseImpl>(m_factory);
    published->setHeight(dimensions.height);
    published->setWidth(dimensions.width);
    published->setROITop(dimensions.roiTop);
    published->setROILeft(dimensions.roiLeft);
    published->setROIBottom(dimensions.roiBottom);
    published->setROIRight(dimensions.roiRight);
    published->setROIHeight(dimensions.roiHeight);
    published->setROIWidth(dimensions.roiWidth);
    published->setWindowHandle(window);
    setSelfViewVideoDimensions(published);
    fireOnSelfViewVideoDimensionsChanged();
}

bool MediaDeviceServiceImpl::initialisePeak(Device device) {
    auto features = featureSet();
    if (!features || !device) return false;
    features->initialisePeak(std::make_shared<PreferredMediaDeviceImpl>(device, MediaDeviceTypeEnum::MICROPHONE));
    return true;
}

void MediaDeviceServiceImpl::unInitialisePeak(Device device) {
    auto features = featureSet();
    if (!features || !device) return;
    features->unInitialisePeak(std::make_shared<PreferredMediaDeviceImpl>(device, MediaDeviceTypeEnum::MICROPHONE));
}

float MediaDeviceServiceImpl::getInputPeak(Device device) {
    auto features = featureSet();
    if (!features || !device) return 0;
    return features->getInputDevicePeak(std::make_shared<PreferredMediaDeviceImpl>(device, MediaDeviceTypeEnum::MICROPHONE));
}

float MediaDeviceServiceImpl::getCurrentInputDevicePeak() {
    auto microphone = getCurrentInputDevice();
    return microphone ? getInputPeak(microphone) : 0;
}

bool MediaDeviceServiceImpl::setCaptureDevice(std::string name) {
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl, "MediaDeviceServiceImpl::setCaptureDevice()");
    auto features = featureSet();
    return features ? features->setCaptureDevice(name) : false;
}

std::string MediaDeviceServiceImpl::getCaptureDevice() {
    MDS_LOG_TRACE(Loggers::MediaDeviceServiceImpl, "MediaDeviceServiceImpl::getCaptureDevice()");
    auto features = featureSet();
    return features ? features->getCaptureDevice() : std::string();
}

}  // namespace OlvarUnified
