#include "ServiceReport.h"

#include <iomanip>
#include <string>

#include "MirelCoreUtils/StringUtils.h"
#include "OlvarUnified/ServicesDispatcher.h"
#include "OlvarUnified/Task.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {
namespace {

using OlvarUnified::MediaDevice;
using OlvarUnified::MediaDeviceTypeEnum::MediaDeviceType;

struct TypeTitle {
    MediaDeviceType type;
    const char* title;
};
constexpr TypeTitle kTypes[] = {
    {OlvarUnified::MediaDeviceTypeEnum::SPEAKER, "Speakers"},
    {OlvarUnified::MediaDeviceTypeEnum::MICROPHONE, "Microphones"},
    {OlvarUnified::MediaDeviceTypeEnum::RINGER, "Ringers"},
    {OlvarUnified::MediaDeviceTypeEnum::CAMERA, "Cameras"},
};

std::string describe(MediaDevice& device) {
    std::string text = MirelCoreUtils::toString(device.getName());
    text += " [" + MirelCoreUtils::toString(device.getSelectionId()) + "]";
    if (!device.getIsPluggedIn()) text += " unplugged";
    if (device.getType() != OlvarUnified::MediaDeviceTypeEnum::CAMERA)
        text += ", volume " + std::to_string(device.getDeviceVolume());
    return text;
}

bool sameDevice(MediaDevice* a, MediaDevice* b) {
    return a && b && a->getSelectionId() == b->getSelectionId();
}

void printList(std::ostream& out, const char* heading, const OlvarUnified::DeviceList& list, MediaDevice* current) {
    out << "  " << heading << ":";
    if (!list || list->empty()) {
        out << " none\n";
        return;
    }
    out << "\n";
    int position = 1;
    for (const auto& device : *list) {
        if (!device) continue;
        out << "    " << std::setw(2) << position++ << ". " << describe(*device)
            << (sameDevice(device.get(), current) ? "  <- current" : "") << "\n";
    }
}

}  // namespace

void printServiceState(std::ostream& out, OlvarUnified::ServicesDispatcher& dispatcher,
                       OlvarUnified::MediaDeviceService& service, const DeviceInUse& inUse) {
    auto print = [&] {
        for (const auto& [type, title] : kTypes) {
            auto current = service.getCurrentDevice(type);
            out << title << "\n";
            printList(out, "preferred", service.getPreferredDeviceList(type), current.get());
            printList(out, "available", service.getAvailableDeviceList(type), current.get());
            out << "  current: " << (current ? describe(*current) : std::string("none")) << "\n";
            const std::string used = inUse ? inUse(type) : std::string();
            out << "  telephony uses: " << (used.empty() ? std::string("nothing yet") : used) << "\n";
        }
        out << std::flush;
    };
    dispatcher.enqueueBlock(std::make_shared<OlvarUnified::FunctionTask>(print, "Host::printServiceState"));
}

NotificationPrinter::NotificationPrinter(std::ostream& out, std::shared_ptr<OlvarUnified::MediaDeviceService> service)
    : m_out(out), m_service(std::move(service)) {
    auto notifiers = m_service->getMediaDeviceServiceNotifiers();
    if (!notifiers) return;
    using Current = std::shared_ptr<MediaDevice> (OlvarUnified::MediaDeviceService::*)();
    struct Watched {
        std::shared_ptr<OlvarUnified::PropertyNotifier> notifier;
        const char* what;
        Current current;  // null: nothing to show beside the event
    };
    const Watched watched[] = {
        {notifiers->getDeviceAddedNotifier(), "DeviceAdded", nullptr},
        {notifiers->getDeviceRemovedNotifier(), "DeviceRemoved", nullptr},
        {notifiers->getCurrentSpeakerNotifier(), "current speaker", &OlvarUnified::MediaDeviceService::getCurrentSpeaker},
        {notifiers->getCurrentMicrophoneNotifier(), "current microphone",
         &OlvarUnified::MediaDeviceService::getCurrentMicrophone},
        {notifiers->getCurrentRingerNotifier(), "current ringer", &OlvarUnified::MediaDeviceService::getCurrentRinger},
        {notifiers->getCurrentVideoNotifier(), "current camera", &OlvarUnified::MediaDeviceService::getCurrentVideo},
    };
    for (const auto& entry : watched) {
        if (!entry.notifier) continue;
        m_connections.push_back(entry.notifier->connect([this, what = entry.what, current = entry.current] {
            auto device = current ? ((*m_service).*current)() : nullptr;
            print(what, device ? describe(*device) : std::string());
        }));
    }
}

NotificationPrinter::~NotificationPrinter() {
    for (auto& weak : m_connections)
        if (auto connection = weak.lock()) connection->disconnect();
}

void NotificationPrinter::buttonPressed(const std::string& button, const std::string& hardwareId) {
    print("button", button + " on " + hardwareId);
}

// Notifiers fire on the services dispatcher, so the service may be read in the callbacks.
void NotificationPrinter::print(const char* what, const std::string& detail) {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start);
    m_out << "  [" << std::setw(5) << elapsed.count() << " ms] " << what;
    if (!detail.empty()) m_out << ": " << detail;
    m_out << "\n" << std::flush;
}

}  // namespace Host
