// The host side a module expects around it, made of stand-ins: configuration (as a feature set
// and as a service), the system service, the telephony feature sets and the telephony service.
// Used by the host program, the tests and the benchmarks so that all three wire a module alike.
#pragma once

#include <memory>

#include "OlvarUnified/ConfigFeatureSet.h"
#include "OlvarUnified/ConfigStore.h"
#include "OlvarUnified/SystemService.h"
#include "OlvarUnified/TelephonyStandIns.h"

namespace OlvarUnified {

class UnifiedFactory;

struct StandInHostOptions {
    bool withConfigFeatureSet = true;
    bool withTelephony = true;  // the telephony media-device and accessories feature sets
};

class OLVAR_API StandInHost {
public:
    // Registration numbers of the host's own objects; modules look them up by type.
    static constexpr int kConfigFeatureSetNumber = 1000;
    static constexpr int kSystemServiceNumber = 1001;
    static constexpr int kTelephonyFeatureSetNumber = 2100;
    static constexpr int kTelephonyAccessoriesFeatureSetNumber = 2101;

    // Registers everything in the factory and in the process-wide ServiceFactory.
    StandInHost(std::shared_ptr<UnifiedFactory> factory, std::shared_ptr<ConfigStore> store,
                StandInHostOptions options = {});
    // Empties the factory's registries and the ServiceFactory; idempotent.
    void unregister();

    std::shared_ptr<ConfigFeatureSet> configFeatureSet;  // empty without it
    std::shared_ptr<SystemService> systemService;
    std::shared_ptr<TelephonyMediaDeviceFeatureSetStandIn> telephony;       // empty without telephony
    std::shared_ptr<TelephonyAccessoriesFeatureSetStandIn> accessories;     // empty without telephony
    std::shared_ptr<ConfigService> configService;
    std::shared_ptr<TelephonyServiceStandIn> telephonyService;

private:
    std::shared_ptr<UnifiedFactory> m_factory;
};

}  // namespace OlvarUnified
