#include "HostSession.h"

#include <filesystem>
#include <iostream>

#include "OlvarUnified/ConfigStore.h"
#include "OlvarUnified/FeatureSet.h"
#include "OlvarUnified/ServicesDispatcher.h"
#include "OlvarUnified/StandInHost.h"
#include "OlvarUnified/Task.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {
namespace {

constexpr const char* kEntryName = "InjectMediaDeviceService";
constexpr unsigned int kFeatureSet = OlvarUnified::MEDIA_DEVICE_FEATURE_SET_TYPE;
const std::wstring kSdkModeKey = L"Tellux_SDK_Mode";

// dlopen searches the library path for a name without a slash; a file of that name in the
// working folder is what the user means.
std::string modulePathOf(const HostOptions& options) {
    if (options.modulePath.empty()) return defaultModulePath();
    if (options.modulePath.find('/') == std::string::npos && std::filesystem::exists(options.modulePath))
        return "./" + options.modulePath;
    return options.modulePath;
}

std::string joined(const std::vector<unsigned int>& numbers) {
    if (numbers.empty()) return "none";
    std::string text;
    for (unsigned int number : numbers) text += (text.empty() ? "" : ", ") + std::to_string(number);
    return text;
}

std::shared_ptr<std::vector<std::shared_ptr<OlvarUnified::ServiceEvent>>> noEvents() {
    return std::make_shared<std::vector<std::shared_ptr<OlvarUnified::ServiceEvent>>>();
}

}  // namespace

HostSession::HostSession(std::ostream* progress) : m_progress(progress) {}
HostSession::~HostSession() { close(); }

bool HostSession::open(const HostOptions& options, const olvar::velk::Scenario& scenario, FileAccess access,
                       std::string& error) {
    if (!m_platform.setUp(options, scenario, error)) return false;
    if (access == FileAccess::ReadOnly) {
        auto store = OlvarUnified::ConfigStore::instance();
        m_hadSdkMode = store->get(kSdkModeKey, m_sdkMode);
        store->set(kSdkModeKey, L"true");
        m_readOnly = true;
    }
    const std::string path = modulePathOf(options);
    if (!m_module.load(path, kEntryName, error)) return false;
    if (m_progress) *m_progress << "Loaded " << path << "\n";
    m_module.entry()(m_platform.factory());

    auto factory = m_platform.factory();
    m_adapter = std::dynamic_pointer_cast<OlvarUnified::FeatureSetAdapter>(factory->getFeatureSet(kFeatureSet));
    m_service = std::dynamic_pointer_cast<OlvarUnified::MediaDeviceService>(factory->getService(kFeatureSet));
    if (!m_adapter || !m_service) {
        error = "the module registered no media-device feature set or service";
        return false;
    }
    if (m_progress)
        *m_progress << "Feature set " << kFeatureSet
                    << " depends on: " << joined(m_adapter->GetFeatureSetDependencies(kFeatureSet)) << "\n";
    m_adapter->StartFeatureSet(kFeatureSet, noEvents());
    drain();
    if (!m_adapter->IsFeatureSetStarted(kFeatureSet)) {
        error = "feature set " + std::to_string(kFeatureSet) + " did not start";
        return false;
    }
    if (m_progress) *m_progress << "Feature set " << kFeatureSet << " started\n\n";
    return true;
}

void HostSession::allowSaving() { restoreSaving(); }

void HostSession::restoreSaving() {
    if (!m_readOnly) return;
    auto store = OlvarUnified::ConfigStore::instance();
    if (m_hadSdkMode)
        store->set(kSdkModeKey, m_sdkMode);
    else
        store->erase(kSdkModeKey);
    m_readOnly = false;
}

bool HostSession::close() {
    if (m_adapter) {
        m_adapter->StopFeatureSet(kFeatureSet, noEvents());
        m_adapter->Destroy();
        drain();
        if (m_progress) *m_progress << "\nFeature set " << kFeatureSet << " stopped\n";
    }
    const bool loaded = m_module.entry() != nullptr;
    // The module's objects go before the module itself; the user's own value goes back
    // before the host's configuration is saved.
    m_adapter.reset();
    m_service.reset();
    restoreSaving();
    const bool saved = m_platform.tearDown();
    drain();
    m_module.unload();
    if (loaded && m_progress) *m_progress << "Unloaded the module\n";
    return saved;
}

void HostSession::onDispatcher(const std::function<void()>& call, const char* name) {
    m_platform.factory()->getServicesDispatcher()->enqueueBlock(std::make_shared<OlvarUnified::FunctionTask>(call, name));
}

void HostSession::postToDispatcher(const std::function<void()>& call, const char* name) {
    m_platform.factory()->getServicesDispatcher()->enqueue(std::make_shared<OlvarUnified::FunctionTask>(call, name));
}

void HostSession::drain() {
    if (!OlvarUnified::StandInHost::drain()) std::cerr << "mediadevice-host: the queues did not empty in time\n";
}

DeviceInUse HostSession::deviceInUse() const {
    return [this](MediaDeviceType type) { return m_platform.telephonyDeviceInUse(type); };
}

}  // namespace Host
