// The host side a module expects around it, made of stand-ins: configuration (as a feature set
// and as a service), the system service, the telephony feature sets and the telephony service.
// Used by the host program, the tests and the benchmarks so that all three wire a module alike.
#pragma once

#include <chrono>
#include <memory>

#include "OlvarUnified/ConfigFeatureSet.h"
#include "OlvarUnified/ConfigStore.h"
#include "OlvarUnified/SystemService.h"
#include "OlvarUnified/TelephonyStandIns.h"

namespace OlvarUnified {

class ServicesDispatcher;
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
    static constexpr std::chrono::milliseconds kShutdownTimeout{30000};

    // Registers everything in the factory and in the process-wide ServiceFactory.
    StandInHost(std::shared_ptr<UnifiedFactory> factory, std::shared_ptr<ConfigStore> store,
                StandInHostOptions options = {});
    ~StandInHost();  // shutdown()
    StandInHost(const StandInHost&) = delete;
    StandInHost& operator=(const StandInHost&) = delete;

    // Empties the factory's registries and the ServiceFactory; idempotent.
    void unregister();

    // Waits until every queue and device-manager thread of the process has run what it was
    // given. False if the timeout passed first.
    static bool drain(std::chrono::milliseconds timeout = kShutdownTimeout);

    // The host's end, on a thread of its own (never in a task): waits for pending work (at most
    // the timeout, then logs and goes on), unregisters, stops the services dispatcher. False if
    // the wait timed out; later calls do nothing and return true.
    bool shutdown(std::chrono::milliseconds timeout = kShutdownTimeout);

    std::shared_ptr<ConfigFeatureSet> configFeatureSet;  // empty without it
    std::shared_ptr<SystemService> systemService;
    std::shared_ptr<TelephonyMediaDeviceFeatureSetStandIn> telephony;       // empty without telephony
    std::shared_ptr<TelephonyAccessoriesFeatureSetStandIn> accessories;     // empty without telephony
    std::shared_ptr<ConfigService> configService;
    std::shared_ptr<TelephonyServiceStandIn> telephonyService;

private:
    std::shared_ptr<UnifiedFactory> m_factory;
    // Kept apart from the factory so that a host that unregistered early still stops it.
    std::shared_ptr<ServicesDispatcher> m_dispatcher;
};

}  // namespace OlvarUnified
