// The sinks and sources of the connected server, kept current by its subscription events:
// each device is reported added once and removed once, volume and mute changes (whoever
// made them) and default changes are reported once each. Monitor sources are left out.
//
// Called by the connection on the main loop thread; the cache has a lock of its own that
// is taken after the main loop lock and never held while anything else is locked, so
// readers on any thread never wait for the server.
#pragma once

#include <pulse/pulseaudio.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>

#include "BackendNotifier.h"
#include "PulseConnection.h"

namespace olvar::velk {

class PulseDeviceTracker : public PulseConnection::Listener {
public:
    explicit PulseDeviceTracker(BackendNotifier& notifier);

    void onReady(pa_context* context) override;
    void onLost() override;
    void onEvent(pa_context* context, pa_subscription_event_type_t type, uint32_t index) override;

    DeviceInfoList devices(int kind) const;  // in server index order
    DeviceInfoPtr defaultDevice(int kind) const;
    bool isPresent(int kind, const std::string& selectionId) const;
    // 0..100, or -1 for an unknown device.
    int level(int kind, const std::string& selectionId) const;
    // Channels of the device's volume, 0 for an unknown device.
    int channels(int kind, const std::string& selectionId) const;
    // Records a level the backend itself just set, so that it reads back at once.
    void noteLevel(int kind, const std::string& selectionId, int level);

    bool isListed() const;
    bool waitUntilListed(std::chrono::milliseconds timeout) const;

    static int levelOf(const pa_cvolume& volume);

private:
    struct Device {
        DeviceInfoPtr info;
        uint32_t index = PA_INVALID_INDEX;
        int level = 0;
        bool muted = false;
        int channels = 0;
    };
    using Key = std::pair<int, std::string>;  // kind, selection id

    static void onSinkInfo(pa_context* context, const pa_sink_info* info, int eol, void* self);
    static void onSourceInfo(pa_context* context, const pa_source_info* info, int eol, void* self);
    static void onSourceListInfo(pa_context* context, const pa_source_info* info, int eol, void* self);
    static void onServerInfo(pa_context* context, const pa_server_info* info, void* self);

    void update(int kind, uint32_t index, DeviceInfoPtr info, const pa_cvolume& volume, bool muted);
    void removeByIndex(int kind, uint32_t index);
    void reportDefaults();  // with m_mutex held
    const Device* find(int kind, const std::string& selectionId) const;  // with m_mutex held

    BackendNotifier& m_notifier;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_listedChanged;
    std::map<Key, Device> m_devices;
    std::map<int, std::string> m_serverDefaults;    // kind -> name the server reports
    std::map<int, std::string> m_reportedDefaults;  // kind -> name last reported
    bool m_listed = false;
};

}  // namespace olvar::velk
