#include "ExternalVolumes.h"

#include "HostSession.h"
#include "MirelCoreUtils/StringUtils.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"
#include "velk/VelkWrapper.h"
#include "velk/VolumeChangeForwarder.h"

namespace Host {

ExternalVolumes::ExternalVolumes(HostSession& session) : m_session(session) {
    auto manager = OlvarUnified::VelkWrapper::Instance()->Mgr();
    m_control = manager ? manager->getVolumeControl() : nullptr;
    if (!m_control) return;
    using namespace OlvarUnified::MediaDeviceTypeEnum;
    m_forwarder = std::make_unique<olvar::velk::VolumeChangeForwarder>(
        [this](const std::string& name, int level) { changed(SPEAKER, name, level); },
        [this](const std::string& name, int level) { changed(MICROPHONE, name, level); });
    m_control->addObserver(m_forwarder.get());
}

ExternalVolumes::~ExternalVolumes() {
    if (m_control) m_control->removeObserver(m_forwarder.get());
}

// The module's own changes come back here too, with the level it holds already: only a level
// that differs is handed on, which also ends the echo of the module setting it again.
void ExternalVolumes::changed(int mediaDeviceType, const std::string& selectionId, int level) {
    const auto type = static_cast<MediaDeviceType>(mediaDeviceType);
    m_session.postToDispatcher(
        [session = &m_session, type, selectionId, level] {
            auto& service = session->service();
            auto list = service.getPreferredDeviceList(type);
            if (!list) return;
            for (const auto& device : *list) {
                if (!device || MirelCoreUtils::toString(device->getSelectionId()) != selectionId) continue;
                if (device->getDeviceVolume() != level) service.setDeviceVolume(type, device, level);
                return;
            }
        },
        "Host::externalVolume");
}

}  // namespace Host
