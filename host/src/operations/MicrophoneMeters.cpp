#include "MicrophoneMeters.h"

#include "../HostSession.h"
#include "DeviceOperations.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {

MicrophoneMeters::MicrophoneMeters(HostSession& session) : m_session(session) {}
MicrophoneMeters::~MicrophoneMeters() { stopAll(); }

Outcome MicrophoneMeters::start(const std::string& id) {
    auto found = DeviceOperations(m_session).find(OlvarUnified::MediaDeviceTypeEnum::MICROPHONE, id);
    if (!found.device) return found.failure;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (auto meter = m_meters.find(found.selectionId); meter != m_meters.end()) {
            ++meter->second.users;
            return Outcome::success({{"device", found.selectionId}, {"on", true}});
        }
    }
    bool started = false;
    m_session.onDispatcher([&] { started = m_session.service().initialisePeak(found.device); }, "Host::initialisePeak");
    if (!started) return Outcome::failure("the module could not start the meter of " + found.selectionId);
    m_session.drain();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto& meter = m_meters[found.selectionId];
        meter.device = found.device;
        ++meter.users;
    }
    return Outcome::success({{"device", found.selectionId}, {"on", true}});
}

Outcome MicrophoneMeters::stop(const std::string& selectionId) {
    std::shared_ptr<OlvarUnified::MediaDevice> device;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto meter = m_meters.find(selectionId);
        if (meter == m_meters.end()) return Outcome::success({{"device", selectionId}, {"on", false}});
        if (--meter->second.users > 0) return Outcome::success({{"device", selectionId}, {"on", false}});
        device = std::move(meter->second.device);
        m_meters.erase(meter);
    }
    m_session.onDispatcher([&] { m_session.service().unInitialisePeak(device); device.reset(); },
                           "Host::unInitialisePeak");
    m_session.drain();
    return Outcome::success({{"device", selectionId}, {"on", false}});
}

void MicrophoneMeters::stopAll() {
    std::vector<std::string> ids;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto& [id, meter] : m_meters) {
            meter.users = 1;
            ids.push_back(id);
        }
    }
    for (const auto& id : ids) stop(id);
}

bool MicrophoneMeters::empty() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_meters.empty();
}

std::vector<std::pair<std::string, float>> MicrophoneMeters::readOnDispatcher() {
    std::vector<std::pair<std::string, std::shared_ptr<OlvarUnified::MediaDevice>>> devices;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& [id, meter] : m_meters) devices.emplace_back(id, meter.device);
    }
    std::vector<std::pair<std::string, float>> levels;
    for (const auto& [id, device] : devices) levels.emplace_back(id, m_session.service().getInputPeak(device));
    return levels;
}

float MicrophoneMeters::read(const std::string& selectionId) {
    float level = 0;
    m_session.onDispatcher(
        [&] {
            for (const auto& [id, value] : readOnDispatcher())
                if (id == selectionId) level = value;
        },
        "Host::readPeak");
    return level;
}

}  // namespace Host
