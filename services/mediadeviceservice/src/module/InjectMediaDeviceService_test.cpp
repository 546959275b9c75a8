#include "module/InjectMediaDeviceService.h"

#include "ModuleTestFixture.h"
#include "ModuleTestNames.h"

namespace olvar::test {
namespace {

class Injection : public ModuleTestFixture {};

TEST_F(Injection, RegistersServiceAndAdapterByTypeNameAndByNumber) {
    setUpHost();
    inject();
    EXPECT_EQ(factory->getService(3100), factory->getService(unifiedTypeName<MediaDeviceService>()));
    EXPECT_EQ(factory->getFeatureSet(3100), factory->getFeatureSet(unifiedTypeName<MediaDeviceFeatureSet>()));
    EXPECT_TRUE(std::dynamic_pointer_cast<FeatureSetAdapter>(factory->getFeatureSet(3100)));
}

TEST_F(Injection, SecondInjectionRegistersNewServiceAndKeepsFirstAdapter) {
    setUpHost();
    inject();
    auto firstService = service;
    auto firstAdapter = adapter;
    InjectMediaDeviceService(factory);
    auto secondService = factory->getService<MediaDeviceService>();
    EXPECT_NE(secondService, std::static_pointer_cast<MediaDeviceService>(firstService));
    EXPECT_EQ(factory->getFeatureSet<MediaDeviceFeatureSet>(), std::static_pointer_cast<MediaDeviceFeatureSet>(firstAdapter));
    EXPECT_EQ(factory->getFeatureSet(3100), factory->getFeatureSet(unifiedTypeName<MediaDeviceFeatureSet>()));

    // The kept adapter still publishes to the service it was built with.
    start();
    EXPECT_EQ(read([&] { return firstService->getPreferredDeviceList(MediaDeviceTypeEnum::SPEAKER)->size(); }), 2u);
    EXPECT_EQ(read([&] { return secondService->getPreferredDeviceList(MediaDeviceTypeEnum::SPEAKER)->size(); }), 0u);
}

}  // namespace
}  // namespace olvar::test
