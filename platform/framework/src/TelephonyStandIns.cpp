#include "OlvarUnified/TelephonyStandIns.h"

#include <sstream>

namespace OlvarUnified {

namespace {
std::string pointerText(const void* pointer) {
    std::ostringstream text;
    text << pointer;
    return text.str();
}
bool validType(int type) { return type >= 0 && type < 4; }
}  // namespace

bool AudioControlStandIn::setCurrentSpeaker(const std::string& selectionId) {
    m_calls.record("setCurrentSpeaker " + selectionId);
    return setCurrent(0, selectionId);
}

bool AudioControlStandIn::setCurrentRinger(const std::string& selectionId) {
    m_calls.record("setCurrentRinger " + selectionId);
    return setCurrent(1, selectionId);
}

bool AudioControlStandIn::setCurrentMicrophone(const std::string& selectionId) {
    m_calls.record("setCurrentMicrophone " + selectionId);
    return setCurrent(2, selectionId);
}

bool AudioControlStandIn::setCurrent(int mediaDeviceType, const std::string& selectionId) {
    DeviceInUseListener listener;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_accepts) return false;
        m_current[mediaDeviceType] = selectionId;
        listener = m_listener;
    }
    if (listener) listener(mediaDeviceType, selectionId);
    return true;
}

void AudioControlStandIn::setDeviceInUseListener(DeviceInUseListener listener) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_listener = std::move(listener);
}

std::string AudioControlStandIn::getCurrentDevice(int mediaDeviceType) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return validType(mediaDeviceType) ? m_current[mediaDeviceType] : std::string();
}

std::vector<std::string> AudioControlStandIn::getDeviceList(int mediaDeviceType) {
    m_calls.record("getDeviceList " + std::to_string(mediaDeviceType));
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!validType(mediaDeviceType) || m_current[mediaDeviceType].empty()) return {};
    return {m_current[mediaDeviceType]};
}

void AudioControlStandIn::setAccepts(bool accepts) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_accepts = accepts;
}

bool VideoControlStandIn::setCaptureDevice(const std::string& selectionId) {
    m_calls.record("setCaptureDevice " + selectionId);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_accepts) m_current = selectionId;
    return m_accepts;
}

std::string VideoControlStandIn::getCurrentCaptureDevice() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_current;
}

bool VideoControlStandIn::addPreviewWindow(void* window, olvar::ravo::VideoRenderObserver* observer) {
    m_calls.record("addPreviewWindow " + pointerText(window));
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_accepts) m_renderObserver = observer;
    return m_accepts;
}

bool VideoControlStandIn::removePreviewWindow(void* window) {
    m_calls.record("removePreviewWindow " + pointerText(window));
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_accepts) m_renderObserver = nullptr;
    return m_accepts;
}

void VideoControlStandIn::setAccepts(bool accepts) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_accepts = accepts;
}

olvar::ravo::VideoRenderObserver* VideoControlStandIn::lastRenderObserver() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_renderObserver;
}

bool RingerVolumeControlStandIn::setRingerVolume(int volume) {
    m_calls.record("setRingerVolume " + std::to_string(volume));
    std::lock_guard<std::mutex> lock(m_mutex);
    m_volume = volume;
    return true;
}

int RingerVolumeControlStandIn::getRingerVolume() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_volume;
}

void TelephonyMediaDeviceFeatureSetStandIn::setCaptureDeviceAvailable(bool available) {
    m_calls.record(std::string("setCaptureDeviceAvailable ") + (available ? "true" : "false"));
}

void TelephonyAccessoriesFeatureSetStandIn::setCurrentAccessoryDevice(int deviceKind, int accessoryType,
                                                                      const std::string& hardwareId,
                                                                      const std::string& name) {
    m_calls.record("setCurrentAccessoryDevice " + std::to_string(deviceKind) + " " + std::to_string(accessoryType) +
                   " " + hardwareId + " " + name);
}

}  // namespace OlvarUnified
