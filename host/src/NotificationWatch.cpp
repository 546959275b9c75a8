#include "NotificationWatch.h"

#include <cstdio>
#include <optional>

#include "DeviceState.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {
namespace {

using namespace OlvarUnified::MediaDeviceTypeEnum;

void disconnectAll(std::vector<std::weak_ptr<OlvarUnified::PropertyNotifierConnection>>& connections) {
    for (auto& weak : connections)
        if (auto connection = weak.lock()) connection->disconnect();
    connections.clear();
}

}  // namespace

NotificationWatch::NotificationWatch(Report report, std::shared_ptr<OlvarUnified::MediaDeviceService> service)
    : m_report(std::move(report)), m_service(std::move(service)) {
    if (!m_service->getMediaDeviceServiceNotifiers()) return;
    watchCurrentDevices();
    watchPreferredLists();
    watchPreview();
    watchVolumes();
}

NotificationWatch::~NotificationWatch() {
    disconnectAll(m_connections);
    disconnectAll(m_volumeConnections);
}

void NotificationWatch::watchCurrentDevices() {
    auto notifiers = m_service->getMediaDeviceServiceNotifiers();
    struct Watched {
        std::shared_ptr<OlvarUnified::PropertyNotifier> notifier;
        const char* event;  // in JSON
        const char* text;
        std::optional<MediaDeviceType> current;  // the type whose current device to show
    };
    const Watched watched[] = {
        {notifiers->getDeviceAddedNotifier(), "DeviceAdded", "DeviceAdded", std::nullopt},
        {notifiers->getDeviceRemovedNotifier(), "DeviceRemoved", "DeviceRemoved", std::nullopt},
        {notifiers->getCurrentSpeakerNotifier(), "CurrentSpeaker", "current speaker", SPEAKER},
        {notifiers->getCurrentMicrophoneNotifier(), "CurrentMicrophone", "current microphone", MICROPHONE},
        {notifiers->getCurrentRingerNotifier(), "CurrentRinger", "current ringer", RINGER},
        {notifiers->getCurrentVideoNotifier(), "CurrentCamera", "current camera", CAMERA},
    };
    for (const auto& entry : watched) {
        if (!entry.notifier) continue;
        m_connections.push_back(entry.notifier->connect([this, entry] {
            nlohmann::ordered_json event = {{"event", entry.event}};
            std::string text = entry.text;
            if (entry.current) {
                auto device = m_service->getCurrentDevice(*entry.current);
                event["type"] = deviceTypeName(*entry.current);
                if (device) {
                    DeviceEntry current = describeDevice(*device);
                    current.current = true;
                    event["device"] = toJson(current);
                    text += ": " + deviceText(current, *entry.current);
                } else {
                    event["device"] = nullptr;
                }
            }
            report(std::move(event), text);
        }));
    }
}

void NotificationWatch::watchPreferredLists() {
    auto notifiers = m_service->getMediaDeviceServiceNotifiers();
    const std::pair<std::shared_ptr<OlvarUnified::PropertyListNotifier<OlvarUnified::MediaDevice>>, MediaDeviceType>
        lists[] = {{notifiers->getPreferredOutputDevicesNotifier(), SPEAKER},
                   {notifiers->getPreferredInputDevicesNotifier(), MICROPHONE},
                   {notifiers->getPreferredRingerDevicesNotifier(), RINGER},
                   {notifiers->getPreferredCaptureDevicesNotifier(), CAMERA}};
    for (const auto& [notifier, type] : lists) {
        if (!notifier) continue;
        m_connections.push_back(notifier->connect([this, type = type](bool, auto, auto) {
            std::string order;
            if (auto list = m_service->getPreferredDeviceList(type))
                for (const auto& device : *list)
                    if (device) order += (order.empty() ? "" : ", ") + describeDevice(*device).selectionId;
            report({{"event", "PreferredList"}, {"type", deviceTypeName(type)}},
                   std::string("preferred ") + deviceTypeName(type) + "s: " + (order.empty() ? "none" : order));
            watchVolumes();
        }));
    }
}

void NotificationWatch::watchPreview() {
    auto notifier = m_service->getMediaDeviceServiceNotifiers()->getSelfViewVideoDimensionsNotifier();
    if (!notifier) return;
    m_connections.push_back(notifier->connect([this] {
        auto dimensions = m_service->getSelfViewVideoDimensions();
        if (!dimensions) return;
        const int width = dimensions->getWidth(), height = dimensions->getHeight();
        report({{"event", "PreviewDimensions"}, {"width", width}, {"height", height}},
               "preview " + std::to_string(width) + "x" + std::to_string(height));
    }));
}

void NotificationWatch::watchVolumes() {
    disconnectAll(m_volumeConnections);
    for (const auto& entry : kDeviceTypes) {
        auto list = m_service->getPreferredDeviceList(entry.type);
        if (!list) continue;
        for (const auto& device : *list) {
            if (!device || !device->getMediaDeviceNotifiers()) continue;
            auto notifier = device->getMediaDeviceNotifiers()->getDeviceVolumeNotifier();
            if (!notifier) continue;
            std::weak_ptr<OlvarUnified::MediaDevice> weak = device;
            m_volumeConnections.push_back(notifier->connect([this, weak, type = entry.type] {
                auto changed = weak.lock();
                if (!changed) return;
                const DeviceEntry described = describeDevice(*changed);
                report({{"event", "Volume"},
                        {"type", deviceTypeName(type)},
                        {"device", described.selectionId},
                        {"volume", described.volume}},
                       std::string("volume of ") + deviceTypeName(type) + " " + described.selectionId + ": " +
                           std::to_string(described.volume));
            }));
        }
    }
}

void NotificationWatch::buttonPressed(const std::string& button, const std::string& hardwareId) {
    report({{"event", "Button"}, {"button", button}, {"hardwareId", hardwareId}}, "button: " + button + " on " + hardwareId);
}

void NotificationWatch::report(nlohmann::ordered_json event, const std::string& text) {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start).count();
    event["ms"] = elapsed;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "  [%5lld ms] ", static_cast<long long>(elapsed));
    m_report(std::move(event), stamp + text);
}

}  // namespace Host
