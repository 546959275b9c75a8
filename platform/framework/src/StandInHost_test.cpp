#include "OlvarUnified/StandInHost.h"

#include <gtest/gtest.h>

#include "OlvarUnified/HostService.h"
#include "OlvarUnified/UnifiedFactory.h"

using namespace OlvarUnified;

TEST(StandInHost, RegistersWhatAModuleLooksUpAndUnregistersOnce) {
    auto factory = std::make_shared<UnifiedFactory>();
    StandInHost host(factory, std::make_shared<ConfigStore>());
    EXPECT_EQ(factory->getFeatureSet<ConfigFeatureSet>(), host.configFeatureSet);
    EXPECT_EQ(factory->getService<SystemService>(), host.systemService);
    EXPECT_EQ(factory->getFeatureSet(StandInHost::kTelephonyFeatureSetNumber), host.telephony);
    EXPECT_EQ(factory->getFeatureSet<TelephonyAccessoriesFeatureSet>(), host.accessories);
    EXPECT_EQ(ServiceFactory::getInstance()->getService(unifiedTypeName<ConfigService>()), host.configService);
    EXPECT_EQ(ServiceFactory::getInstance()->getService(unifiedTypeName<TelephonyService>()), host.telephonyService);

    host.unregister();
    host.unregister();
    EXPECT_FALSE(factory->getService<SystemService>());
    EXPECT_FALSE(ServiceFactory::getInstance()->getService(unifiedTypeName<ConfigService>()));
}

TEST(StandInHost, LeavesOutWhatTheOptionsExclude) {
    auto factory = std::make_shared<UnifiedFactory>();
    StandInHost host(factory, std::make_shared<ConfigStore>(), StandInHostOptions{false, false});
    EXPECT_FALSE(host.configFeatureSet);
    EXPECT_FALSE(factory->getFeatureSet<ConfigFeatureSet>());
    EXPECT_FALSE(factory->getFeatureSet<TelephonyMediaDeviceFeatureSet>());
    EXPECT_TRUE(factory->getService<SystemService>());
    host.unregister();
}
