#include "OlvarUnified/StandInHost.h"

#include "OlvarUnified/HostService.h"
#include "OlvarUnified/UnifiedFactory.h"

namespace OlvarUnified {

StandInHost::StandInHost(std::shared_ptr<UnifiedFactory> factory, std::shared_ptr<ConfigStore> store,
                         StandInHostOptions options)
    : m_factory(std::move(factory)) {
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

void StandInHost::unregister() {
    if (!m_factory) return;
    m_factory->clearRegistries();
    ServiceFactory::getInstance()->clear();
    m_factory.reset();
}

}  // namespace OlvarUnified
