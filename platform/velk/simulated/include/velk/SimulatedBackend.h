// A device manager that lives in memory: devices are plugged and unplugged by calls or by
// a scenario timeline, notifications arrive on its own "velk-events" thread and the PCM
// player consumes sources on threads of its own. Used by tests and by the host when no
// audio server is available.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "velk/Scenario.h"
#include "velk/SimulatedDevice.h"
#include "velk/VelkWrapper.h"

namespace olvar {
class CallRecorder;
}

namespace olvar::velk {

class BackendNotifier;
class DeviceRegistry;
class ScenarioTimeline;
class SimulatedDeviceManager;
class SimulatedDeviceMonitor;
class SimulatedPcmPlayer;
class SimulatedVolumeControl;

enum class Pacing {
    RealTime,          // sources are consumed at the byte rate of their format
    AsFastAsPossible,  // sources are drained without waiting, for tests
};

struct SimulatedBackendOptions {
    Pacing pacing = Pacing::RealTime;
    bool withVolumeControl = true;  // false: getVolumeControl() gives an empty pointer
    bool withPcmPlayer = true;      // false: getPcmPlayer() gives an empty pointer
    std::size_t pcmKeptPerStream = 1 << 20;  // bytes of each stream kept in its PlayoutRecord
};

// Running checksum of the bytes a stream pulled (64-bit FNV-1a); start from kPcmChecksumSeed.
constexpr std::uint64_t kPcmChecksumSeed = 14695981039346656037ULL;
OLVAR_API std::uint64_t pcmChecksum(std::uint64_t checksum, const void* data, std::size_t size);

// One stream the player started, for tests: what reached which device.
struct PlayoutRecord {
    int streamId = 0;
    std::string deviceName;
    int formatCode = 0;
    std::int64_t bytesConsumed = 0;
    bool playing = false;
    bool stopRequested = false;
    std::uint64_t checksum = kPcmChecksumSeed;  // over all bytesConsumed bytes, in order
    std::string pcm;  // the first bytes pulled, up to SimulatedBackendOptions::pcmKeptPerStream
};

class OLVAR_API SimulatedBackend : public DeviceBackend {
public:
    explicit SimulatedBackend(SimulatedBackendOptions options = {});
    ~SimulatedBackend() override;
    SimulatedBackend(const SimulatedBackend&) = delete;
    SimulatedBackend& operator=(const SimulatedBackend&) = delete;

    std::shared_ptr<CommunicationsDeviceManager> manager() override;
    DeviceInfoList devices(int kind) override;
    DeviceInfoPtr defaultDevice(int kind) override;
    void setAlertsDeviceName(const std::string& name) override;
    std::string alertsDeviceName() override;

    // Device changes take effect at once; observers hear of them on the event thread, in
    // the order the changes were made. plug is false for an invalid kind, an empty or an
    // already present selection id; unplug is false for an unknown one.
    bool plug(const SimulatedDevice& device);
    bool unplug(const std::string& selectionId);
    // False when no device of that kind has that selection id. The default of a kind is the
    // chosen device while present, else the first device of that kind.
    bool setDefault(int kind, const std::string& selectionId);
    // Level reported by the peak meter of that device once initialised; false if unknown.
    bool setPeakLevel(const std::string& selectionId, float level);

    // Plugs the scenario's devices and applies its defaults without notifications.
    // False if any statement could not be applied (the rest still is).
    bool load(const Scenario& scenario);
    // Receives the scenario's button presses, on the timeline's thread; without one they are
    // logged and dropped.
    using ButtonSink = std::function<void(const ScenarioEvent&)>;
    void setButtonSink(ButtonSink sink);
    // Runs the scenario's events on a timer thread, replacing a running timeline.
    void startTimeline(const Scenario& scenario);
    void stopTimeline();

    // Calls received by the volume control, peak meter, player and setAlertsDeviceName,
    // e.g. "setSpeakerVolume SEL-1 80".
    std::vector<std::string> calls() const;
    std::size_t callCount(const std::string& prefix) const;
    void clearCalls();

    // -1 for a stream this player did not start.
    std::int64_t bytesConsumed(const PlayoutStreamPtr& stream) const;
    std::vector<PlayoutRecord> playouts() const;  // in start order
    // The mode last set on the PcmPlayerEx (2 until set); -1 without a player.
    int audioBufferingMode() const;

private:
    bool applyPlug(const SimulatedDevice& device, bool notify);
    bool applyUnplug(const std::string& selectionId);
    bool applySetDefault(int kind, const std::string& selectionId, bool notify);
    void applyTimedEvent(const ScenarioEvent& event);
    void pressButton(const ScenarioEvent& event);

    std::shared_ptr<CallRecorder> m_recorder;
    std::shared_ptr<DeviceRegistry> m_registry;
    std::shared_ptr<BackendNotifier> m_notifier;
    std::shared_ptr<SimulatedDeviceMonitor> m_monitor;
    std::shared_ptr<SimulatedVolumeControl> m_volumeControl;
    std::shared_ptr<SimulatedPcmPlayer> m_player;
    std::shared_ptr<SimulatedDeviceManager> m_manager;

    std::mutex m_changeMutex;  // keeps notifications in the order of the changes
    std::mutex m_alertsMutex;
    std::string m_alertsDeviceName;

    std::mutex m_buttonMutex;
    ButtonSink m_buttonSink;

    std::mutex m_timelineMutex;
    std::unique_ptr<ScenarioTimeline> m_timeline;
};

}  // namespace olvar::velk
