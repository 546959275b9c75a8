#include "NotificationWatch.h"

#include <cstdio>
#include <optional>

#include "DeviceState.h"
#include "Output.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {

NotificationWatch::NotificationWatch(Output& output, std::shared_ptr<OlvarUnified::MediaDeviceService> service)
    : m_output(output), m_service(std::move(service)) {
    auto notifiers = m_service->getMediaDeviceServiceNotifiers();
    if (!notifiers) return;
    struct Watched {
        std::shared_ptr<OlvarUnified::PropertyNotifier> notifier;
        const char* event;  // in JSON
        const char* text;
        std::optional<MediaDeviceType> current;  // the type whose current device to show
    };
    using namespace OlvarUnified::MediaDeviceTypeEnum;
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

NotificationWatch::~NotificationWatch() {
    for (auto& weak : m_connections)
        if (auto connection = weak.lock()) connection->disconnect();
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
    m_output.event(event, stamp + text);
}

}  // namespace Host
