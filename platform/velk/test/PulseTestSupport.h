// Test support for the sound-server backend: the server the tests run against, pactl,
// modules loaded for one test, and observers whose events a test waits for.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "olvar/TemporaryDirectory.h"
#include "velk/DeviceManager.h"

namespace olvar::test {

using namespace ::olvar::velk;

constexpr std::chrono::seconds kTimeout{10};

struct CommandResult {
    int status = -1;
    std::string output;
};

inline CommandResult runCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[256];
    while (std::fgets(buffer, sizeof(buffer), pipe)) result.output += buffer;
    result.status = ::pclose(pipe);
    while (!result.output.empty() && result.output.back() == '\n') result.output.pop_back();
    return result;
}

// pactl against a server, by default the tests' (PULSE_SERVER from the environment).
inline CommandResult pactl(const std::string& arguments, const std::string& server = {}) {
    return runCommand((server.empty() ? "" : "PULSE_SERVER=" + server + " ") + "pactl " + arguments);
}

// Whether pactl's answer comes to hold text within the timeout. PipeWire acknowledges a new
// volume before the device has taken it, so a reading right after may still be the old one;
// every asking is a round trip to the server, so nothing sleeps.
inline bool pactlShows(const std::string& arguments, const std::string& text, const std::string& server = {}) {
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    do {
        if (pactl(arguments, server).output.find(text) != std::string::npos) return true;
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

// The kind of server the tests run against, from MDS_SOUND_SERVER: "pulse" (the default) or
// "pipewire". Fixtures that start servers of their own start this kind, and fixtures build
// devices only from what both kinds provide.
enum class SoundServerKind { PulseAudio, PipeWire };

inline bool soundServerNamed() {
    const char* named = std::getenv("MDS_SOUND_SERVER");
    return named != nullptr && *named != '\0';
}

inline SoundServerKind soundServerUnderTest() {
    const char* named = std::getenv("MDS_SOUND_SERVER");
    return named && std::string(named) == "pipewire" ? SoundServerKind::PipeWire : SoundServerKind::PulseAudio;
}

inline bool onPipeWire() { return soundServerUnderTest() == SoundServerKind::PipeWire; }

// The tests' own server: PULSE_SERVER, set by scripts/pulse-daemon.sh or
// scripts/pipewire-daemon.sh (and .ci/run). A user's desktop server is never used, so tests
// do not plug devices into a real session.
inline std::string testServer() {
    const char* server = std::getenv("PULSE_SERVER");
    return server ? server : "";
}

// Whether a server answers at PULSE_SERVER and is of the kind under test; why not, if not.
inline std::string testServerProblem() {
    const char* named = std::getenv("MDS_SOUND_SERVER");
    if (soundServerNamed() && std::string(named) != "pulse" && std::string(named) != "pipewire")
        return "MDS_SOUND_SERVER is '" + std::string(named) + "', not pulse or pipewire";
    if (testServer().empty()) return "PULSE_SERVER is not set";
    const CommandResult info = pactl("info");
    if (info.status != 0) return "no server answers at " + testServer() + ": " + info.output;
    if ((info.output.find("PipeWire") != std::string::npos) != onPipeWire())
        return "the server at " + testServer() + " is not the one MDS_SOUND_SERVER names";
    return {};
}

inline bool testServerReachable() {
    static const bool reachable = testServerProblem().empty();
    return reachable;
}

// Without a server the tests skip, unless MDS_SOUND_SERVER names one: then its absence fails
// them, so that a run meant for a server never passes by skipping.
#define MDS_REQUIRE_PULSE_SERVER()                                                                            \
    do {                                                                                                      \
        if (!::olvar::test::testServerReachable()) {                                                          \
            if (::olvar::test::soundServerNamed())                                                            \
                GTEST_FAIL() << ::olvar::test::testServerProblem();                                           \
            GTEST_SKIP() << "no test sound server: run scripts/pulse-daemon.sh (or pipewire-daemon.sh) start " \
                            "and export the PULSE_SERVER it prints";                                          \
        }                                                                                                     \
    } while (0)

// Names unique across the test processes that share one server.
inline std::string uniqueName(const std::string& prefix) {
    static std::atomic<int> counter{0};
    return prefix + "_" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
}

// A module loaded for one test; unloaded when it goes, unless unloaded before.
class LoadedModule {
public:
    explicit LoadedModule(const std::string& arguments, std::string server = {}) : m_server(std::move(server)) {
        const CommandResult result = pactl("load-module " + arguments, m_server);
        if (result.status == 0) m_index = result.output;
        else ADD_FAILURE() << "pactl load-module " << arguments << ": " << result.output;
    }
    ~LoadedModule() { unload(); }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool loaded() const { return !m_index.empty(); }
    void unload() {
        if (m_index.empty()) return;
        pactl("unload-module " + m_index, m_server);
        m_index.clear();
    }

private:
    const std::string m_server;
    std::string m_index;
};

// Waits until a device just loaded takes volume changes. On PipeWire a new node can still be
// given its initial volume after it was announced, which would undo a change made at once;
// a change made here through pactl, once it reads back, shows that moment has passed. On
// PulseAudio a device takes changes from its announcement on.
inline bool volumeSettled(const std::string& kind, const std::string& name, const std::string& server = {}) {
    if (!onPipeWire()) return true;
    if (pactl("set-" + kind + "-volume " + name + " 99%", server).status != 0) return false;
    return pactlShows("get-" + kind + "-volume " + name, "99%", server);
}

// A null sink; with vendor and product ids it stands for a USB headset's speaker.
// extra: further properties, "key=value" separated by spaces.
inline std::string nullSinkArguments(const std::string& name, const std::string& extra = {}) {
    return "module-null-sink sink_name=" + name + " \"sink_properties='device.description=" + name + "-desc " +
           extra + "'\"";
}

// A microphone. PipeWire's server has no null source: a null sink made a virtual source
// stands in, and takes properties. PulseAudio's null source takes none: a microphone with
// properties is a remapped copy of the daemon's null source there.
inline std::string nullSourceArguments(const std::string& name, const std::string& extra = {}) {
    if (onPipeWire())
        return "module-null-sink sink_name=" + name + " media.class=Audio/Source/Virtual \"sink_properties='" +
               "device.description=" + name + "-desc " + extra + "'\"";
    if (extra.empty()) return "module-null-source source_name=" + name + " description=" + name + "-desc";
    return "module-remap-source master=ci_mic source_name=" + name + " \"source_properties='device.description=" +
           name + "-desc " + extra + "'\"";
}

// A microphone that hears what is played into a sink: its monitor, remapped into a source of
// its own (a monitor is no device of the backend's). With a TestSignal playing into the sink,
// it stands for a microphone picking up a tone on either server.
inline std::string monitorSourceArguments(const std::string& name, const std::string& sink) {
    return "module-remap-source master=" + sink + ".monitor source_name=" + name;
}

// A daemon of one test's own, of the kind under test, started with the project's script
// (MDS_SOURCE_DIR is the source tree), for tests that kill the server or need devices nobody
// else plugs.
class PrivateDaemon {
public:
    bool start() {
        const auto result = runCommand(script() + " start " + m_dir.path() + "daemon");
        if (result.status != 0) ADD_FAILURE() << result.output;
        return result.status == 0;
    }
    void stop() { runCommand(script() + " stop " + m_dir.path() + "daemon"); }
    std::string server() const { return "unix:" + m_dir.path() + "daemon/runtime/native"; }
    ~PrivateDaemon() { stop(); }

private:
    static std::string script() {
        return std::string(MDS_SOURCE_DIR) + (onPipeWire() ? "/scripts/pipewire-daemon.sh" : "/scripts/pulse-daemon.sh");
    }
    olvar::TemporaryDirectory m_dir{"mds-pulse"};
};

// Lines such as "added <selection id>", waited for with a timeout.
class EventLog {
public:
    void add(const std::string& line) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_lines.push_back(line);
        }
        m_changed.notify_all();
    }
    bool waitFor(const std::string& line, std::chrono::milliseconds timeout = kTimeout) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] { return countLocked(line) > 0; });
    }
    // Until check() holds, asked again after each new line; check runs without the lock.
    template <typename Check>
    bool waitUntil(Check check, std::chrono::milliseconds timeout = kTimeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            const std::size_t seen = m_lines.size();
            lock.unlock();
            const bool holds = check();
            lock.lock();
            if (holds) return true;
            if (!m_changed.wait_until(lock, deadline, [&] { return m_lines.size() != seen; })) return false;
        }
    }
    std::size_t count(const std::string& line) const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return countLocked(line);
    }
    std::vector<std::string> lines() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lines;
    }

private:
    std::size_t countLocked(const std::string& line) const {
        return static_cast<std::size_t>(std::count(m_lines.begin(), m_lines.end(), line));
    }
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_lines;
};

class DeviceEvents : public DeviceMonitor_Observer {
public:
    void onDeviceAdded(DeviceInfoPtr d) override { log.add("added " + d->getSelectionId()); }
    void onDeviceRemoved(DeviceInfoPtr d) override { log.add("removed " + d->getSelectionId()); }
    void onDefaultDeviceChanged(DeviceInfoPtr d) override { log.add("default " + d->getSelectionId()); }
    EventLog log;
};

class VolumeEvents : public VolumeControl_Observer {
public:
    void onSpeakerVolumeChanged(const std::string& n, int v) override { log.add("volume " + n + " " + std::to_string(v)); }
    void onSpeakerMuteChanged(const std::string& n, bool m) override { log.add("mute " + n + " " + std::to_string(m)); }
    void onInputGainChanged(const std::string& n, int v) override { log.add("gain " + n + " " + std::to_string(v)); }
    void onInputMuteChanged(const std::string& n, bool m) override { log.add("inmute " + n + " " + std::to_string(m)); }
    void onApplicationVolumeChanged(const std::string& n, int v) override { log.add("app " + n + " " + std::to_string(v)); }
    EventLog log;
};

// Counts the end reports of each stream and lets a test wait for one.
class PlayoutEnds : public PcmPlayer_Observer {
public:
    void onPlayoutFinished(void*, PlayoutStreamPtr stream) override {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_ended.push_back(stream);
        }
        m_changed.notify_all();
    }
    bool waitFor(const PlayoutStreamPtr& stream, std::chrono::milliseconds timeout = kTimeout) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] { return countLocked(stream) > 0; });
    }
    std::size_t count(const PlayoutStreamPtr& stream) {
        std::lock_guard<std::mutex> lock(m_mutex);
        return countLocked(stream);
    }

private:
    std::size_t countLocked(const PlayoutStreamPtr& s) const {
        return static_cast<std::size_t>(std::count(m_ended.begin(), m_ended.end(), s));
    }
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<PlayoutStreamPtr> m_ended;
};

}  // namespace olvar::test
