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
            if (!m_link.factory()) {
                MDS_LOG_ERROR(log(), "m_pUnifiedFactory is null");
                return;
            }
            MDS_LOG_DEBUG(log(), "m_pUnifiedFactory is not null");
            auto featureSet = m_link.factory()->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
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
    return m_selection.getCurrentSelectionId(MediaDeviceTypeEnum::CAMERA);
}

void MediaDeviceAdapter::initialisePeak(PreferredMediaDevicePtr device) {
    postToWorker(
        [this, device] {
            MDS_LOG_TRACE(log(), "MediaDeviceAdapter::initialisePeakImpl");
            olvar::MutexGuard guard(m_preferredLists.mutex(MediaDeviceTypeEnum::MICROPHONE));
            updateServicesPreferredDevice(MediaDeviceTypeEnum::MICROPHONE, m_volumes.initialisePeak(device));
        },
        "MediaDeviceAdapter::initialisePeakImpl");
}

void MediaDeviceAdapter::unInitialisePeak(PreferredMediaDevicePtr device) {
    postToWorker(
        [this, device] {
            olvar::MutexGuard guard(m_preferredLists.mutex(MediaDeviceTypeEnum::MICROPHONE));
            updateServicesPreferredDevice(MediaDeviceTypeEnum::MICROPHONE, m_volumes.unInitialisePeak(device));
        },
        "MediaDeviceAdapter::unInitialisePeakImpl");
}

float MediaDeviceAdapter::getInputDevicePeak(PreferredMediaDevicePtr device) {
    if (!device) {
        MDS_LOG_ERROR(log(), "NULL mediaDevicePtr passed to getInputDevicePeak");
        return 0.0f;
    }
    const auto peak = m_volumes.peakLevel(*device);
    if (!peak) initialisePeak(device);  // the meter is started now and reads from the next call on
    return peak.value_or(0.0f);
}

void MediaDeviceAdapter::addLocalVideoPreviewWindow(void* window) {
    postToWorker(
        [this, window] {
            auto featureSet = m_link.factory()->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
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
            m_link.postToService(
                [window, success](MediaDeviceServiceImpl& s) { s.onLocalVideoPreviewAdded(window, success); },
                "Calling MediaDeviceServiceImpl::onLocalVideoPreviewAdded from MediaDeviceAdpater");
        },
        "MediaDeviceAdapter::addLocalVideoPreviewWindowImpl");
}

void MediaDeviceAdapter::removeLocalVideoPreviewWindow(void* window) {
    postToWorker(
        [this, window] {
            auto featureSet = m_link.factory()->getFeatureSet<TelephonyMediaDeviceFeatureSet>();
            auto video = featureSet ? featureSet->getVideoControl() : nullptr;
            if (!video) return;
            const bool success = video->removePreviewWindow(window);
            m_link.postToService(
                [window, success](MediaDeviceServiceImpl& s) { s.onLocalVideoPreviewRemoved(window, success); },
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
