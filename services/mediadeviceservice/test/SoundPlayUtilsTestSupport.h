// Playback test support: an observer that records finished sessions, and a device manager
// whose player plays nothing by itself, so a test decides when each stream ends. Test code only.
#pragma once

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "featuresets/adapters/mediaDevice/playback/SoundPlayUtilsObserver.h"
#include "velk/VelkWrapper.h"

namespace olvar::test {

using namespace ::OlvarUnified;

class RecordingSessionObserver : public SoundPlayUtilsObserver {
public:
    void onSessionFinished(long sessionId) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finished.push_back(sessionId);
    }
    std::vector<long> finished() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_finished;
    }
    std::size_t count(long sessionId) const {
        const auto all = finished();
        return static_cast<std::size_t>(std::count(all.begin(), all.end(), sessionId));
    }

private:
    mutable std::mutex m_mutex;
    std::vector<long> m_finished;
};

class ManualStream : public olvar::velk::PlayoutStream {
public:
    explicit ManualStream(olvar::velk::Source* source) : source(source) {}
    bool isPlaying() override { return playing; }
    void stop() override { ++stops; }
    olvar::velk::Source* const source;
    std::atomic<bool> playing{true};
    std::atomic<int> stops{0};
};

// Starts a stream for any device but "nowhere"; ends are reported by end().
class ManualPlayer : public olvar::velk::PcmPlayer {
public:
    void addPlaybackObserver(olvar::velk::PcmPlayer_Observer* observer) override { observers.push_back(observer); }
    void removePlaybackObserver(olvar::velk::PcmPlayer_Observer* observer) override {
        observers.erase(std::remove(observers.begin(), observers.end(), observer), observers.end());
    }
    void startStreamPlayout(olvar::velk::PlayoutStreamPtr& stream, int, const std::string& device,
                            olvar::velk::Source* source) override {
        stream.reset();
        if (device == "nowhere") return;
        streams.push_back(std::make_shared<ManualStream>(source));
        stream = streams.back();
    }
    // The stream stops playing and, when report is set, the player says so.
    void end(const std::shared_ptr<ManualStream>& stream, bool report = true) {
        stream->playing = false;
        if (report)
            for (auto* observer : std::vector<olvar::velk::PcmPlayer_Observer*>(observers))
                observer->onPlayoutFinished(nullptr, stream);
    }
    std::vector<olvar::velk::PcmPlayer_Observer*> observers;
    std::vector<std::shared_ptr<ManualStream>> streams;
};

class ManualBackend : public olvar::velk::DeviceBackend, public olvar::velk::CommunicationsDeviceManager {
public:
    std::shared_ptr<olvar::velk::CommunicationsDeviceManager> manager() override {
        return std::shared_ptr<olvar::velk::CommunicationsDeviceManager>(std::shared_ptr<void>(), this);
    }
    olvar::velk::DeviceInfoList devices(int) override { return {}; }
    olvar::velk::DeviceInfoPtr defaultDevice(int) override { return nullptr; }
    void setAlertsDeviceName(const std::string&) override {}
    std::string alertsDeviceName() override { return {}; }
    std::shared_ptr<olvar::velk::DeviceMonitor> getDeviceMonitor() override { return nullptr; }
    std::shared_ptr<olvar::velk::VolumeControl> getVolumeControl() override { return nullptr; }
    std::shared_ptr<olvar::velk::PcmPlayer> getPcmPlayer() override { return player; }
    std::shared_ptr<ManualPlayer> player = std::make_shared<ManualPlayer>();
};

}  // namespace olvar::test
