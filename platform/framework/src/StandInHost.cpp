#include "OlvarUnified/StandInHost.h"

#include <string>

#include "OlvarUnified/HostService.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "olvar/NamedLogger.h"
#include "olvar/OlvarLog.h"
#include "olvar/PendingWork.h"

namespace OlvarUnified {

namespace {
constexpr auto logger = &olvar::namedLogger<"OlvarUnified-StandInHost">;
}  // namespace

StandInHost::StandInHost(std::shared_ptr<UnifiedFactory> factory, std::shared_ptr<ConfigStore> store,
                         StandInHostOptions options)
    : m_factory(std::move(factory)), m_dispatcher(m_factory->getServicesDispatcher()) {
    if (options.withConfigFeatureSet) {
        configFeatureSet = std::make_shared<ConfigFeatureSet>(store);
        m_factory->registerFeatureSet(unifiedTypeName<ConfigFeatureSet>(), kConfigFeatureSetNumber, configFeatureSet);
    }
    systemService = std::make_shared<SystemService>(m_factory);
    m_factory->registerService(unifiedTypeName<SystemService>(), kSystemServiceNumber, systemService);
    if (options.withTelephony) {
        telephony = std::make_shared<TelephonyMediaDeviceFeatureSetStandIn>();
        m_factory->registerFeatureSet(unifiedTypeName<TelephonyMediaDeviceFeatureSet>(), kTelephonyFeatureSetNumber,
                                      telephony);
        accessories = std::make_shared<TelephonyAccessoriesFeatureSetStandIn>();
        m_factory->registerFeatureSet(unifiedTypeName<TelephonyAccessoriesFeatureSet>(),
                                      kTelephonyAccessoriesFeatureSetNumber, accessories);
    }
    configService = std::make_shared<ConfigService>(store);
    ServiceFactory::getInstance()->registerService<ConfigService>(configService);
    telephonyService = std::make_shared<TelephonyServiceStandIn>(m_factory->getServicesDispatcher());
    ServiceFactory::getInstance()->registerService<TelephonyService>(telephonyService);
}

StandInHost::~StandInHost() { shutdown(); }

bool StandInHost::drain(std::chrono::milliseconds timeout) { return olvar::PendingWork::waitIdle(timeout); }

bool StandInHost::shutdown(std::chrono::milliseconds timeout) {
    if (!m_dispatcher) return true;
    const bool drained = drain(timeout);
    if (!drained)
        OlvarLog(logger(), OLVAR_LOG_ERROR, __FILE__, __LINE__, __func__,
                 "work was still pending after " + std::to_string(timeout.count()) + " ms; shutting down anyway");
    unregister();
    m_dispatcher->stop();
    m_dispatcher.reset();
    return drained;
}

void StandInHost::unregister() {
    if (!m_factory) return;
    m_factory->clearRegistries();
    ServiceFactory::getInstance()->clear();
    m_factory.reset();
}

}  // namespace OlvarUnified
