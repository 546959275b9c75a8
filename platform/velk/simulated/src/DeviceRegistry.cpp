#include "DeviceRegistry.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "velk/HardwareIds.h"

namespace olvar::velk {

namespace {
// A scenario may leave a device's hardware id out; it gets one from its selection id, which
// the scenario keeps the same from run to run.
DeviceInfoPtr makeInfo(const SimulatedDevice& d) {
    const std::string hardwareId = d.hardwareId.empty() ? namedHardwareId("SIM\\", d.selectionId) : d.hardwareId;
    return std::make_shared<ExtendedDeviceInfo>(d.kind, d.name, d.selectionId, hardwareId, d.vendor,
                                                d.deviceInterface, d.friendlyName, d.instanceId);
}
}  // namespace

bool DeviceRegistry::isValidKind(int kind) {
    return kind == DEVICE_KIND_RECORDING || kind == DEVICE_KIND_PLAYBACK || kind == DEVICE_KIND_CAPTURE;
}

bool DeviceRegistry::add(const SimulatedDevice& device, DeviceInfoPtr& added) {
    if (!isValidKind(device.kind) || device.selectionId.empty()) return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (find(device.selectionId) != nullptr) return false;
    added = makeInfo(device);
    m_entries.push_back(Entry{device, added, false});
    return true;
}

DeviceInfoPtr DeviceRegistry::remove(const std::string& selectionId) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const Entry& e) { return e.device.selectionId == selectionId; });
    if (it == m_entries.end()) return nullptr;
    DeviceInfoPtr removed = it->info;
    const auto chosen = m_chosenDefaults.find(it->device.kind);
    if (chosen != m_chosenDefaults.end() && chosen->second == selectionId) m_chosenDefaults.erase(chosen);
    m_entries.erase(it);
    return removed;
}

DeviceInfoList DeviceRegistry::devices(int kind) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    DeviceInfoList list;
    for (const Entry& e : m_entries) {
        if (e.device.kind == kind) list.push_back(e.info);
    }
    return list;
}

DeviceInfoPtr DeviceRegistry::defaultDevice(int kind) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto chosen = m_chosenDefaults.find(kind);
    if (chosen != m_chosenDefaults.end()) {
        if (const Entry* e = find(kind, chosen->second)) return e->info;
    }
    for (const Entry& e : m_entries) {
        if (e.device.kind == kind) return e.info;
    }
    return nullptr;
}

bool DeviceRegistry::setDefault(int kind, const std::string& selectionId) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (find(kind, selectionId) == nullptr) return false;
    m_chosenDefaults[kind] = selectionId;
    return true;
}

std::optional<int> DeviceRegistry::volume(int kind, const std::string& selectionId) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const Entry* e = find(kind, selectionId);
    if (e == nullptr) return std::nullopt;
    return e->device.volume;
}

bool DeviceRegistry::setVolume(int kind, const std::string& selectionId, int volume, bool& changed) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Entry* e = find(kind, selectionId);
    changed = false;
    if (e == nullptr) return false;
    changed = e->device.volume != volume;
    e->device.volume = volume;
    return true;
}

bool DeviceRegistry::setPeakLevel(const std::string& selectionId, float level) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Entry* e = find(selectionId);
    if (e == nullptr) return false;
    e->device.peakLevel = level;
    return true;
}

bool DeviceRegistry::initializePeak(const std::string& selectionId) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Entry* e = find(DEVICE_KIND_RECORDING, selectionId);
    if (e == nullptr) return false;
    e->peakInitialised = true;
    return true;
}

void DeviceRegistry::unInitializePeak(const std::string& selectionId) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (Entry* e = find(selectionId)) e->peakInitialised = false;
}

float DeviceRegistry::peakLevel(const std::string& selectionId) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const Entry* e = find(selectionId);
    return (e != nullptr && e->peakInitialised) ? e->device.peakLevel : 0.0f;
}

bool DeviceRegistry::isPresent(int kind, const std::string& selectionId) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return find(kind, selectionId) != nullptr;
}

DeviceRegistry::Entry* DeviceRegistry::find(const std::string& selectionId) {
    return const_cast<Entry*>(std::as_const(*this).find(selectionId));
}

const DeviceRegistry::Entry* DeviceRegistry::find(const std::string& selectionId) const {
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const Entry& e) { return e.device.selectionId == selectionId; });
    return it == m_entries.end() ? nullptr : &*it;
}

DeviceRegistry::Entry* DeviceRegistry::find(int kind, const std::string& selectionId) {
    return const_cast<Entry*>(std::as_const(*this).find(kind, selectionId));
}

const DeviceRegistry::Entry* DeviceRegistry::find(int kind, const std::string& selectionId) const {
    const Entry* e = find(selectionId);
    return (e != nullptr && e->device.kind == kind) ? e : nullptr;
}

}  // namespace olvar::velk
