// Observers and sources shared by the tests of the simulated device manager.
#pragma once

#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "velk/DeviceManager.h"
#include "velk/SimulatedDevice.h"

namespace olvar::test {

using namespace ::olvar::velk;

// A device whose name and hardware id are derived from its selection id.
inline SimulatedDevice simulatedDevice(int kind, const std::string& selectionId) {
    SimulatedDevice d;
    d.kind = kind;
    d.selectionId = selectionId;
    d.name = selectionId + " name";
    d.hardwareId = "HW-" + selectionId;
    return d;
}

inline std::string currentThreadName() {
    char name[32] = {};
    pthread_getname_np(pthread_self(), name, sizeof(name));
    return name;
}

// Waitable list of "<what> <selection id>" lines plus the thread each arrived on.
class EventLog {
public:
    void add(const std::string& line) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_lines.push_back(line);
            m_threads.push_back(currentThreadName());
        }
        m_changed.notify_all();
    }
    std::vector<std::string> lines() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lines;
    }
    std::vector<std::string> threads() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_threads;
    }
    // For events whose delivery is not counted as pending work (timeline waits).
    void waitForCount(std::size_t count) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return m_lines.size() >= count; });
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_lines;
    std::vector<std::string> m_threads;
};

class RecordingDeviceObserver : public DeviceMonitor_Observer {
public:
    void onDeviceAdded(DeviceInfoPtr device) override { log.add("added " + device->getSelectionId()); }
    void onDeviceRemoved(DeviceInfoPtr device) override { log.add("removed " + device->getSelectionId()); }
    void onDefaultDeviceChanged(DeviceInfoPtr device) override { log.add("default " + device->getSelectionId()); }
    EventLog log;
};

class RecordingVolumeObserver : public VolumeControl_Observer {
public:
    void onSpeakerVolumeChanged(const std::string& name, int v) override { record("speaker", name, v); }
    void onSpeakerMuteChanged(const std::string& name, bool m) override { record("speakerMute", name, m); }
    void onInputGainChanged(const std::string& name, int v) override { record("gain", name, v); }
    void onInputMuteChanged(const std::string& name, bool m) override { record("inputMute", name, m); }
    void onApplicationVolumeChanged(const std::string& name, int v) override { record("app", name, v); }
    EventLog log;

private:
    void record(const char* what, const std::string& name, int value) {
        log.add(std::string(what) + " " + name + " " + std::to_string(value));
    }
};

class RecordingPlayerObserver : public PcmPlayer_Observer {
public:
    void onPlayoutFinished(void* context, PlayoutStreamPtr stream) override {
        std::lock_guard<std::mutex> lock(mutex);
        contexts.push_back(context);
        streams.push_back(stream);
        stillPlaying.push_back(stream && stream->isPlaying());
        threads.push_back(currentThreadName());
    }
    std::size_t finishedCount(const PlayoutStreamPtr& stream) {
        std::lock_guard<std::mutex> lock(mutex);
        return static_cast<std::size_t>(std::count(streams.begin(), streams.end(), stream));
    }
    std::mutex mutex;
    std::vector<void*> contexts;
    std::vector<PlayoutStreamPtr> streams;
    std::vector<bool> stillPlaying;
    std::vector<std::string> threads;
};

// Delivers a fixed number of bytes (each the low byte of its position), then 0 or -1.
class FiniteSource : public Source {
public:
    explicit FiniteSource(int total, int endResult = 0) : m_total(total), m_endResult(endResult) {}
    int read(void* buffer, int size) override {
        ++reads;
        const int n = std::min(size, m_total - m_position);
        if (n <= 0) return m_endResult;
        auto* bytes = static_cast<unsigned char*>(buffer);
        for (int i = 0; i < n; ++i) bytes[i] = static_cast<unsigned char>(m_position + i);
        m_position += n;
        return n;
    }
    std::atomic<int> reads{0};

private:
    const int m_total;
    const int m_endResult;
    int m_position = 0;
};

// Never runs dry; signals the first read so a test knows the player has begun.
class EndlessSource : public Source {
public:
    int read(void* buffer, int size) override {
        std::memset(buffer, 0, static_cast<std::size_t>(size));
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_reads;
        }
        m_readHappened.notify_all();
        return size;
    }
    void waitForFirstRead() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_readHappened.wait(lock, [&] { return m_reads > 0; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_readHappened;
    int m_reads = 0;
};

}  // namespace olvar::test
