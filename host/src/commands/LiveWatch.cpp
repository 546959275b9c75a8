#include "LiveWatch.h"

#include "../ExternalVolumes.h"
#include "../HostSession.h"
#include "../Interruption.h"
#include "../Output.h"
#include "../TimelinePlayer.h"
#include "OlvarUnified/FeatureSet.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {

LiveWatch::LiveWatch(CommandContext& context, NotificationWatch::Report report) : m_context(context) {
    if (!report)
        report = [&output = context.output](nlohmann::ordered_json event, const std::string& text) {
            output.event(event, text);
        };
    auto& session = context.session;
    auto factory = session.platform().factory();
    auto service = std::dynamic_pointer_cast<OlvarUnified::MediaDeviceService>(
        factory->getService(OlvarUnified::MEDIA_DEVICE_FEATURE_SET_TYPE));
    session.onDispatcher([&] { m_watch = std::make_unique<NotificationWatch>(std::move(report), service); },
                         "Host::watch");
    m_externalVolumes = std::make_unique<ExternalVolumes>(session);
    if (auto backend = session.platform().backend())
        m_timeline = std::make_unique<TimelinePlayer>(backend, session.platform().telephonyService());
}

LiveWatch::~LiveWatch() { stop(); }

void LiveWatch::startTimeline() {
    if (!m_timeline) return;
    auto& interruption = m_context.interruption;
    m_timeline->start(
        m_context.scenario,
        [this](const std::string& button, const std::string& hardwareId) {
            m_context.session.postToDispatcher([this, button, hardwareId] { m_watch->buttonPressed(button, hardwareId); },
                                               "Host::reportButton");
        },
        [&interruption] { interruption.wake(); });
}

bool LiveWatch::waitForTimeline() {
    if (!m_timeline) return m_context.interruption.interrupted();
    const bool interrupted =
        m_context.interruption.waitFor(std::chrono::milliseconds(-1), [this] { return m_timeline->finished(); });
    m_context.session.drain();
    return interrupted;
}

void LiveWatch::stop() {
    m_externalVolumes.reset();
    if (m_timeline) m_timeline->stop();
    m_timeline.reset();
    if (!m_watch) return;
    m_context.session.drain();
    m_context.session.onDispatcher([this] { m_watch.reset(); }, "Host::unwatch");
}

}  // namespace Host
