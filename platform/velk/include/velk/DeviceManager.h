// The communications device manager: device monitor, volume control and PCM player.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "velk/DeviceInfo.h"

namespace olvar::velk {

using DeviceInfoPtr = std::shared_ptr<DeviceInfo>;
using DeviceInfoList = std::vector<DeviceInfoPtr>;

class OLVAR_API DeviceMonitor_Observer {
public:
    virtual ~DeviceMonitor_Observer() = default;
    virtual void onDeviceAdded(DeviceInfoPtr device) = 0;
    virtual void onDeviceRemoved(DeviceInfoPtr device) = 0;
    virtual void onDefaultDeviceChanged(DeviceInfoPtr device) = 0;
};

class OLVAR_API VolumeControl_Observer {
public:
    virtual ~VolumeControl_Observer() = default;
    virtual void onSpeakerVolumeChanged(const std::string& deviceName, int volume) = 0;
    virtual void onSpeakerMuteChanged(const std::string& deviceName, bool muted) = 0;
    virtual void onInputGainChanged(const std::string& deviceName, int gain) = 0;
    virtual void onInputMuteChanged(const std::string& deviceName, bool muted) = 0;
    virtual void onApplicationVolumeChanged(const std::string& deviceName, int volume) = 0;
};

// Observers are plain pointers owned by the caller. Once removeObserver returns, the
// observer is not called again and no call to it is still running.
class OLVAR_API DeviceMonitor {
public:
    virtual ~DeviceMonitor() = default;
    virtual void addObserver(DeviceMonitor_Observer* observer) = 0;
    virtual void removeObserver(DeviceMonitor_Observer* observer) = 0;
};

class OLVAR_API VolumeControl {
public:
    virtual ~VolumeControl() = default;
    virtual void addObserver(VolumeControl_Observer* observer) = 0;
    virtual void removeObserver(VolumeControl_Observer* observer) = 0;

    // By device name (the selection id). -1 / false for an unknown device.
    virtual int getSpeakerVolume(const std::string& deviceName) = 0;
    virtual bool setSpeakerVolume(const std::string& deviceName, int volume) = 0;
    virtual int getInputGain(const std::string& deviceName) = 0;
    virtual bool setInputGain(const std::string& deviceName, int gain) = 0;

    // Input peak meter of a microphone.
    virtual bool initializePeak(const std::string& deviceName) = 0;
    virtual void unInitializePeak(const std::string& deviceName) = 0;
    virtual float getPeakLevel(const std::string& deviceName) = 0;
};

// PCM data pulled by the player. read fills up to size bytes and returns how many it
// wrote; 0 or a negative value ends the stream.
class OLVAR_API Source {
public:
    virtual ~Source() = default;
    virtual int read(void* buffer, int size) = 0;
};

class OLVAR_API PlayoutStream {
public:
    virtual ~PlayoutStream() = default;
    virtual bool isPlaying() = 0;
    virtual void stop() = 0;
};
using PlayoutStreamPtr = std::shared_ptr<PlayoutStream>;

class OLVAR_API PcmPlayer_Observer {
public:
    virtual ~PcmPlayer_Observer() = default;
    // Called on the player's thread when a stream has ended (drained, stopped or failed).
    virtual void onPlayoutFinished(void* context, PlayoutStreamPtr stream) = 0;
};

// Format codes of startStreamPlayout: 0 is "no format"; others are backend-defined and
// describe the PCM layout (see PcmFormat.h).
class OLVAR_API PcmPlayer {
public:
    virtual ~PcmPlayer() = default;
    virtual void addPlaybackObserver(PcmPlayer_Observer* observer) = 0;
    virtual void removePlaybackObserver(PcmPlayer_Observer* observer) = 0;
    // Fills stream with a new playing stream, or leaves it empty when the device is unknown
    // or the format is not supported. The source must outlive the stream's playback.
    virtual void startStreamPlayout(PlayoutStreamPtr& stream, int formatCode, const std::string& deviceName,
                                    Source* source) = 0;
};

class OLVAR_API PcmPlayerEx : public PcmPlayer {
public:
    // 0 high quality, 1 low quality, 2 default.
    virtual void setAudioBufferingMode(int mode) = 0;
    virtual int getAudioBufferingMode() const = 0;
};

class OLVAR_API CommunicationsDeviceManager {
public:
    virtual ~CommunicationsDeviceManager() = default;
    virtual std::shared_ptr<DeviceMonitor> getDeviceMonitor() = 0;
    virtual std::shared_ptr<VolumeControl> getVolumeControl() = 0;
    virtual std::shared_ptr<PcmPlayer> getPcmPlayer() = 0;
};

}  // namespace olvar::velk
