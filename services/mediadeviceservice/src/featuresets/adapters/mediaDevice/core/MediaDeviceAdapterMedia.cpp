// Camera choice, self-view preview windows, the microphone peak meter and wave playback.
#include "OlvarUnified/Telephony.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "featuresets/adapters/mediaDevice/core/MediaDeviceAdapter.h"
#include "featuresets/adapters/mediaDevice/core/MediaDeviceEventObserver.h"
#include "featuresets/adapters/mediaDevice/playback/SoundPlayUtils.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "services/impl/MediaDeviceServiceImpl.h"

namespace OlvarUnified {

namespace {
const OlvarLoggerHandle& log() { return Loggers::MediaDeviceAdapter; }
}  // namespace

bool MediaDeviceAdapter::setCaptureDevice(std::string selectionId) {
    postToWorker(
        [this, selectionId] {
            MDS_LOG_DEBUG(log(), "MediaDeviceAdapter::setCaptureDeviceImpl >>");
            if (!m_pUnifiedFactory) {
                MDS_LOG_ERROR(log(), "m_pUnifiedFactory is null");
                return;
            }
            MDS_LOG_DEBUG(log(), "m_pUnifiedFactory is not null");
            auto featureSet = m_pUnifiedFactory->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
            if (!featureSet) {
                MDS_LOG_WARNING(log(), "pTelephonyMediaDeviceFeatureSet is null");
                return;
            }
            MDS_LOG_DEBUG(log(), "pTelephonyMediaDeviceFeatureSet is not null");
            auto video = featureSet->getVideoControl();
            if (!video) return;
            MDS_LOG_DEBUG(log(), "begin to setCaptureDevice with pVideoControl address: " << video.get());
            video->setCaptureDevice(selectionId);
            MDS_LOG_DEBUG(log(), "finish to setCaptureDevice with pVideoControl address: " << video.get());
        },
        "MediaDeviceAdapter::setCaptureDeviceImpl");
    return true;
}

std::string MediaDeviceAdapter::getCaptureDevice() {
    auto featureSet = m_pUnifiedFactory->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
    auto video = featureSet ? featureSet->getVideoControl() : nullptr;
    return video ? video->getCurrentCaptureDevice() : std::string();
}

void MediaDeviceAdapter::initialisePeak(PreferredMediaDevicePtr device) {
    postToWorker(
        [this, device] {
            MDS_LOG_TRACE(log(), "MediaDeviceAdapter::initialisePeakImpl");
            olvar::MutexGuard guard(m_preferredLists.mutex(MediaDeviceTypeEnum::MICROPHONE));
            auto control = volumeControl();
            const auto record = listedMicrophone(device, false);
            if (!control || !record) return;
            if (record->selectionId.empty()) {
                MDS_LOG_DEBUG(log(), "MediaDeviceAdapter::initialisePeakImpl. Unable to call initializePeak() "
                                     "with NULL selection ID.\n");
                return;
            }
            MDS_LOG_TRACE(log(), "MediaDeviceAdapter::initialisePeakImpl starting VolumeControl::initializePeak() ");
            const bool started = control->initializePeak(record->selectionId);
            MDS_LOG_TRACE(log(), "MediaDeviceAdapter::initialisePeakImpl finished VolumeControl::initializePeak()\n");
            if (started) markPeakInitialised(*record, true);
        },
        "MediaDeviceAdapter::initialisePeakImpl");
}

void MediaDeviceAdapter::unInitialisePeak(PreferredMediaDevicePtr device) {
    postToWorker(
        [this, device] {
            olvar::MutexGuard guard(m_preferredLists.mutex(MediaDeviceTypeEnum::MICROPHONE));
            auto control = volumeControl();
            const auto record = listedMicrophone(device, true);
            if (!control || !record) return;
            MDS_LOG_TRACE(log(), "MediaDeviceAdapter::unInitialisePeakImpl starting VolumeControl::unInitializePeak() \n");
            control->unInitializePeak(record->selectionId);
            MDS_LOG_TRACE(log(), "MediaDeviceAdapter::unInitialisePeakImpl finished VolumeControl::unInitializePeak()\n");
            markPeakInitialised(*record, false);
        },
        "MediaDeviceAdapter::unInitialisePeakImpl");
}

// A copy of the microphone list's record of the device whose meter is in the given state.
PreferredMediaDevicePtr MediaDeviceAdapter::listedMicrophone(const PreferredMediaDevicePtr& device,
                                                             bool peakInitialised) {
    if (!device) return nullptr;
    return m_preferredLists.findRecord(MediaDeviceTypeEnum::MICROPHONE, [&](const PreferredMediaDeviceImpl& record) {
        return record.uniqueIdentifier == device->uniqueIdentifier && record.isPeakInitialised == peakInitialised;
    });
}

void MediaDeviceAdapter::markPeakInitialised(const PreferredMediaDeviceImpl& record, bool initialised) {
    const auto changed =
        m_preferredLists.updateRecord(MediaDeviceTypeEnum::MICROPHONE, record.uniqueIdentifier, [initialised](auto& entry) {
            entry.isPeakInitialised = initialised;
            return true;
        });
    if (changed) updateServicesPreferredDevice(MediaDeviceTypeEnum::MICROPHONE, changed);
}

float MediaDeviceAdapter::getInputDevicePeak(PreferredMediaDevicePtr device) {
    if (!device) {
        MDS_LOG_ERROR(log(), "NULL mediaDevicePtr passed to getInputDevicePeak");
        return 0.0f;
    }
    auto control = volumeControl();
    if (!control) return 0.0f;
    if (device->isPeakInitialised) return control->getPeakLevel(device->selectionId);
    initialisePeak(device);
    return 0.0f;
}

void MediaDeviceAdapter::addLocalVideoPreviewWindow(void* window) {
    postToWorker(
        [this, window] {
            auto featureSet = m_pUnifiedFactory->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
            auto video = featureSet ? featureSet->getVideoControl() : nullptr;
            if (!video) {
                MDS_LOG_WARNING(log(), "addLocalVideoPreviewWindowImpl: VideoControl is NULL");
                return;
            }
            olvar::ravo::VideoRenderObserver* observer = m_eventObserver.load();
            const bool success = video->addPreviewWindow(window, observer);
            if (!success)
                MDS_LOG_WARNING(log(), "setSelfViewVideoWindowImpl - add preview window error, check whether other "
                                       "application is using the capture device");
            postToService([window, success](MediaDeviceServiceImpl& s) { s.onLocalVideoPreviewAdded(window, success); },
                          "Calling MediaDeviceServiceImpl::onLocalVideoPreviewAdded from MediaDeviceAdpater");
        },
        "MediaDeviceAdapter::addLocalVideoPreviewWindowImpl");
}

void MediaDeviceAdapter::removeLocalVideoPreviewWindow(void* window) {
    postToWorker(
        [this, window] {
            auto featureSet = m_pUnifiedFactory->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
            auto video = featureSet ? featureSet->getVideoControl() : nullptr;
            if (!video) return;
            const bool success = video->removePreviewWindow(window);
            postToService([window, success](MediaDeviceServiceImpl& s) { s.onLocalVideoPreviewRemoved(window, success); },
                          "Calling MediaDeviceServiceImpl::onLocalVideoPreviewRemoved from MediaDeviceAdpater");
        },
        "MediaDeviceAdapter::removeLocalVideoPreviewWindow");
}

// A session keeps the event observer to report its end. The life-cycle lock is held until the
// session is registered, so a stop cannot delete the observer between our reading it and the
// session table holding it: the stop's clearing of the table then comes after, not before.
long MediaDeviceAdapter::playWaveFile(std::string file, std::string device, int volume, bool loop) {
    olvar::MutexGuard guard(m_mutex);
    return SoundPlayUtils::PlayWaveFile(file, device, volume, loop, m_eventObserver.load());
}

void MediaDeviceAdapter::stopWaveFilePlayout(long sessionId) { SoundPlayUtils::StopWaveFilePlayout(sessionId); }

void MediaDeviceAdapter::stopAllWaveFilePlayout() { SoundPlayUtils::StopAllWaveFilePlayout(); }

bool MediaDeviceAdapter::isAudioFileSupported(std::string file) { return SoundPlayUtils::IsAudioFileSupported(file); }

long MediaDeviceAdapter::continueSoundOnNewDevice(int sessionId, std::string device, int unused) {
    olvar::MutexGuard guard(m_mutex);  // as in playWaveFile
    return SoundPlayUtils::ContinueSoundOnNewDevice(sessionId, device, unused, m_eventObserver.load());
}

void MediaDeviceAdapter::setVolumeForPlayingSessions(int volume, std::shared_ptr<std::vector<long>> sessionIds) {
    SoundPlayUtils::SetVolumeForPlayingSessions(volume, std::move(sessionIds));
}

}  // namespace OlvarUnified
