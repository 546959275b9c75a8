// Stand-ins for the telephony side: they accept every call, answer with settable results
// and record what they were asked.
#pragma once

#include <functional>
#include <mutex>

#include "OlvarUnified/Telephony.h"
#include "OlvarUnified/TelephonyServiceStandIn.h"
#include "olvar/CallRecorder.h"

namespace OlvarUnified {

class OLVAR_API AudioControlStandIn : public AudioControl {
public:
    bool setCurrentSpeaker(const std::string& selectionId) override;
    bool setCurrentRinger(const std::string& selectionId) override;
    bool setCurrentMicrophone(const std::string& selectionId) override;
    std::string getCurrentDevice(int mediaDeviceType) override;
    std::vector<std::string> getDeviceList(int mediaDeviceType) override;

    void setAccepts(bool accepts);  // result of the set-current calls
    olvar::CallRecorder& calls() { return m_calls; }

    // Told the device type and selection id of every accepted set-current call, on the
    // caller's thread and outside the stand-in's lock.
    using DeviceInUseListener = std::function<void(int mediaDeviceType, const std::string& selectionId)>;
    void setDeviceInUseListener(DeviceInUseListener listener);

private:
    bool setCurrent(int mediaDeviceType, const std::string& selectionId);

    std::mutex m_mutex;
    bool m_accepts = true;
    std::string m_current[4];
    DeviceInUseListener m_listener;
    olvar::CallRecorder m_calls;
};

class OLVAR_API VideoControlStandIn : public VideoControl {
public:
    bool setCaptureDevice(const std::string& selectionId) override;
    std::string getCurrentCaptureDevice() override;
    bool addPreviewWindow(void* window, olvar::ravo::VideoRenderObserver* observer) override;
    bool removePreviewWindow(void* window) override;

    void setAccepts(bool accepts);
    olvar::ravo::VideoRenderObserver* lastRenderObserver();
    olvar::CallRecorder& calls() { return m_calls; }

private:
    std::mutex m_mutex;
    bool m_accepts = true;
    std::string m_current;
    olvar::ravo::VideoRenderObserver* m_renderObserver = nullptr;
    olvar::CallRecorder m_calls;
};

class OLVAR_API RingerVolumeControlStandIn : public RingerVolumeControl {
public:
    bool setRingerVolume(int volume) override;
    int getRingerVolume() override;
    olvar::CallRecorder& calls() { return m_calls; }

private:
    std::mutex m_mutex;
    int m_volume = 50;
    olvar::CallRecorder m_calls;
};

class OLVAR_API TelephonyMediaDeviceFeatureSetStandIn : public TelephonyMediaDeviceFeatureSet {
public:
    void setCaptureDeviceAvailable(bool available) override;
    std::shared_ptr<AudioControl> getAudioControl() override { return m_audio; }
    std::shared_ptr<VideoControl> getVideoControl() override { return m_video; }
    std::shared_ptr<RingerVolumeControl> getRingerVolumeControl() override { return m_ringer; }

    std::shared_ptr<AudioControlStandIn> audio() { return m_audio; }
    std::shared_ptr<VideoControlStandIn> video() { return m_video; }
    std::shared_ptr<RingerVolumeControlStandIn> ringer() { return m_ringer; }
    olvar::CallRecorder& calls() { return m_calls; }

private:
    std::shared_ptr<AudioControlStandIn> m_audio = std::make_shared<AudioControlStandIn>();
    std::shared_ptr<VideoControlStandIn> m_video = std::make_shared<VideoControlStandIn>();
    std::shared_ptr<RingerVolumeControlStandIn> m_ringer = std::make_shared<RingerVolumeControlStandIn>();
    olvar::CallRecorder m_calls;
};

class OLVAR_API TelephonyAccessoriesFeatureSetStandIn : public TelephonyAccessoriesFeatureSet {
public:
    void setCurrentAccessoryDevice(int deviceKind, int accessoryType, const std::string& hardwareId,
                                   const std::string& name) override;
    olvar::CallRecorder& calls() { return m_calls; }

private:
    olvar::CallRecorder m_calls;
};

}  // namespace OlvarUnified
