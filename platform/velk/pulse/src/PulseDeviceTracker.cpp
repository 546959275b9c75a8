#include "PulseDeviceTracker.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "PulseDeviceProperties.h"

namespace olvar::velk {

namespace {
// A monitor source only echoes a sink; it is not a microphone.
template <class Info>
bool isReal(const Info*) { return true; }
template <>
bool isReal(const pa_source_info* info) { return info->monitor_of_sink == PA_INVALID_INDEX; }
}  // namespace

PulseDeviceTracker::PulseDeviceTracker(BackendNotifier& notifier) : m_notifier(notifier) {}

int PulseDeviceTracker::levelOf(const pa_cvolume& volume) {
    if (!pa_cvolume_valid(&volume)) return 0;
    const double percent = std::round(100.0 * pa_cvolume_max(&volume) / PA_VOLUME_NORM);
    return static_cast<int>(std::clamp(percent, 0.0, 100.0));
}

void PulseDeviceTracker::onReady(pa_context* context) {
    const auto mask = static_cast<pa_subscription_mask_t>(PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SOURCE |
                                                          PA_SUBSCRIPTION_MASK_SERVER);
    // Subscribe before listing so that nothing plugged in between is missed; replies come
    // in request order, so the source list's end means everything has been listed.
    pa_operation* ops[] = {
        pa_context_subscribe(context, mask, nullptr, nullptr),
        pa_context_get_server_info(context, &PulseDeviceTracker::onServerInfo, this),
        pa_context_get_sink_info_list(context, &PulseDeviceTracker::onSinkInfo, this),
        pa_context_get_source_info_list(context, &PulseDeviceTracker::onSourceListInfo, this),
    };
    for (pa_operation* op : ops) {
        if (op) pa_operation_unref(op);
    }
}

void PulseDeviceTracker::onLost() {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& [key, device] : m_devices) m_notifier.deviceRemoved(device.info);
    m_devices.clear();
    m_serverDefaults.clear();
    m_reportedDefaults.clear();
    m_listed = false;
    m_listedChanged.notify_all();
}

void PulseDeviceTracker::onEvent(pa_context* context, pa_subscription_event_type_t type, uint32_t index) {
    const int facility = type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    const int what = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    pa_operation* op = nullptr;
    if (facility == PA_SUBSCRIPTION_EVENT_SERVER) {
        op = pa_context_get_server_info(context, &PulseDeviceTracker::onServerInfo, this);
    } else if (what == PA_SUBSCRIPTION_EVENT_REMOVE) {
        removeByIndex(facility == PA_SUBSCRIPTION_EVENT_SINK ? DEVICE_KIND_PLAYBACK : DEVICE_KIND_RECORDING, index);
    } else if (facility == PA_SUBSCRIPTION_EVENT_SINK) {
        op = pa_context_get_sink_info_by_index(context, index, &PulseDeviceTracker::onSinkInfo, this);
    } else if (facility == PA_SUBSCRIPTION_EVENT_SOURCE) {
        op = pa_context_get_source_info_by_index(context, index, &PulseDeviceTracker::onSourceInfo, this);
    }
    if (op) pa_operation_unref(op);
}

void PulseDeviceTracker::onSinkInfo(pa_context*, const pa_sink_info* info, int eol, void* self) {
    if (eol != 0 || info == nullptr) return;
    static_cast<PulseDeviceTracker*>(self)->update(
        DEVICE_KIND_PLAYBACK, info->index,
        makePulseDeviceInfo(DEVICE_KIND_PLAYBACK, info->name, info->description, info->proplist), info->volume,
        info->mute != 0);
}

void PulseDeviceTracker::onSourceInfo(pa_context*, const pa_source_info* info, int eol, void* self) {
    if (eol != 0 || info == nullptr || !isReal(info)) return;
    static_cast<PulseDeviceTracker*>(self)->update(
        DEVICE_KIND_RECORDING, info->index,
        makePulseDeviceInfo(DEVICE_KIND_RECORDING, info->name, info->description, info->proplist), info->volume,
        info->mute != 0);
}

void PulseDeviceTracker::onSourceListInfo(pa_context* context, const pa_source_info* info, int eol, void* self) {
    auto* tracker = static_cast<PulseDeviceTracker*>(self);
    if (eol == 0) {
        onSourceInfo(context, info, eol, self);
        return;
    }
    std::lock_guard<std::mutex> lock(tracker->m_mutex);
    tracker->m_listed = true;
    tracker->m_listedChanged.notify_all();
}

void PulseDeviceTracker::onServerInfo(pa_context*, const pa_server_info* info, void* self) {
    if (info == nullptr) return;
    auto* tracker = static_cast<PulseDeviceTracker*>(self);
    std::lock_guard<std::mutex> lock(tracker->m_mutex);
    tracker->m_serverDefaults[DEVICE_KIND_PLAYBACK] = info->default_sink_name ? info->default_sink_name : "";
    tracker->m_serverDefaults[DEVICE_KIND_RECORDING] = info->default_source_name ? info->default_source_name : "";
    tracker->reportDefaults();
}

void PulseDeviceTracker::update(int kind, uint32_t index, DeviceInfoPtr info, const pa_cvolume& volume, bool muted) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const int level = levelOf(volume);
    const Key key{kind, info->getSelectionId()};
    auto it = m_devices.find(key);
    if (it == m_devices.end()) {
        m_devices.emplace(key, Device{info, index, level, muted, volume.channels});
        m_notifier.deviceAdded(info);
        reportDefaults();
        return;
    }
    Device& device = it->second;
    device.index = index;
    device.channels = volume.channels;
    if (device.level != level) {
        device.level = level;
        m_notifier.levelChanged(kind, key.second, level);
    }
    if (device.muted != muted) {
        device.muted = muted;
        m_notifier.muteChanged(kind, key.second, muted);
    }
}

void PulseDeviceTracker::removeByIndex(int kind, uint32_t index) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = std::find_if(m_devices.begin(), m_devices.end(), [&](const auto& entry) {
        return entry.first.first == kind && entry.second.index == index;
    });
    if (it == m_devices.end()) return;  // a monitor source, or never listed
    const DeviceInfoPtr info = it->second.info;
    m_devices.erase(it);
    if (m_reportedDefaults[kind] == info->getSelectionId()) m_reportedDefaults[kind].clear();
    m_notifier.deviceRemoved(info);
}

void PulseDeviceTracker::reportDefaults() {
    for (const auto& [kind, name] : m_serverDefaults) {
        const Device* device = find(kind, name);
        if (device == nullptr || m_reportedDefaults[kind] == name) continue;
        m_reportedDefaults[kind] = name;
        m_notifier.defaultChanged(device->info);
    }
}

const PulseDeviceTracker::Device* PulseDeviceTracker::find(int kind, const std::string& selectionId) const {
    const auto it = m_devices.find(Key{kind, selectionId});
    return it == m_devices.end() ? nullptr : &it->second;
}

DeviceInfoList PulseDeviceTracker::devices(int kind) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<const Device*> found;
    for (const auto& [key, device] : m_devices) {
        if (key.first == kind) found.push_back(&device);
    }
    std::sort(found.begin(), found.end(), [](const Device* a, const Device* b) { return a->index < b->index; });
    DeviceInfoList list;
    for (const Device* device : found) list.push_back(device->info);
    return list;
}

DeviceInfoPtr PulseDeviceTracker::defaultDevice(int kind) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_serverDefaults.find(kind);
    const Device* device = it == m_serverDefaults.end() ? nullptr : find(kind, it->second);
    return device ? device->info : nullptr;
}

bool PulseDeviceTracker::isPresent(int kind, const std::string& selectionId) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return find(kind, selectionId) != nullptr;
}

int PulseDeviceTracker::level(int kind, const std::string& selectionId) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const Device* device = find(kind, selectionId);
    return device ? device->level : -1;
}

int PulseDeviceTracker::channels(int kind, const std::string& selectionId) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const Device* device = find(kind, selectionId);
    return device ? device->channels : 0;
}

void PulseDeviceTracker::noteLevel(int kind, const std::string& selectionId, int level) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_devices.find(Key{kind, selectionId});
    if (it == m_devices.end() || it->second.level == level) return;
    it->second.level = level;
    m_notifier.levelChanged(kind, selectionId, level);
}

bool PulseDeviceTracker::isListed() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_listed;
}

bool PulseDeviceTracker::waitUntilListed(std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_listedChanged.wait_for(lock, timeout, [&] { return m_listed; });
}

}  // namespace olvar::velk
