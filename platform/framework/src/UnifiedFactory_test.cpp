#include <gtest/gtest.h>

#include "OlvarUnified/ConfigFeatureSet.h"
#include "OlvarUnified/SystemService.h"
#include "OlvarUnified/UnifiedFactory.h"

using namespace OlvarUnified;

namespace olvar::test {
namespace {

class SomeFeatureSet : public FeatureSet {};
class OtherFeatureSet : public FeatureSet {};

TEST(UnifiedFactory, RegistriesAnswerByTypeNameAndByNumber) {
    auto factory = std::make_shared<UnifiedFactory>();
    auto featureSet = std::make_shared<SomeFeatureSet>();
    factory->registerFeatureSet(unifiedTypeName<SomeFeatureSet>(), 42, featureSet);
    EXPECT_EQ(factory->getFeatureSet(unifiedTypeName<SomeFeatureSet>()), featureSet);
    EXPECT_EQ(factory->getFeatureSet(42), featureSet);
    EXPECT_EQ(factory->getFeatureSet<SomeFeatureSet>(), featureSet);
    EXPECT_EQ(factory->getFeatureSet<OtherFeatureSet>(), nullptr);

    // A second registration replaces both entries.
    auto replacement = std::make_shared<SomeFeatureSet>();
    factory->registerFeatureSet(unifiedTypeName<SomeFeatureSet>(), 42, replacement);
    EXPECT_EQ(factory->getFeatureSet(42), replacement);
    EXPECT_EQ(factory->getFeatureSet<SomeFeatureSet>(), replacement);
}

TEST(UnifiedFactory, FirstMissTriesOneLoadPerName) {
    auto factory = std::make_shared<UnifiedFactory>();
    int loads = 0;
    factory->setFeatureSetLoader([&](UnifiedFactory& f, const std::string& name) {
        ++loads;
        if (name == unifiedTypeName<SomeFeatureSet>())
            f.registerFeatureSet(name, 7, std::make_shared<SomeFeatureSet>());
    });
    EXPECT_NE(factory->getFeatureSet<SomeFeatureSet>(), nullptr);  // loaded on the first miss
    EXPECT_EQ(factory->getFeatureSet<OtherFeatureSet>(), nullptr);
    EXPECT_EQ(factory->getFeatureSet<OtherFeatureSet>(), nullptr);  // no second load
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(factory->loadAttempts(unifiedTypeName<OtherFeatureSet>()), 2);
}

TEST(UnifiedFactory, TypeNamesAreQualifiedInterfaceNames) {
    EXPECT_EQ(unifiedTypeName<ConfigFeatureSet>(), "OlvarUnified::ConfigFeatureSet");
}

TEST(ResetDataCallbackHolder, AddsRemovesAndResetsOutsideItsLock) {
    struct Callback : ProviderResetDataCallback {
        explicit Callback(ResetDataCallbackHolder& h) : holder(h) {}
        std::string getInterfaceName() override { return "Callback"; }
        void onResetData() override {
            ++resets;
            holder.size();  // re-entering the holder must not deadlock
        }
        ResetDataCallbackHolder& holder;
        int resets = 0;
    };
    auto holder = std::make_shared<ResetDataCallbackHolder>();
    auto callback = std::make_shared<Callback>(*holder);
    holder->addCallback(callback);
    holder->resetAll();
    EXPECT_EQ(callback->resets, 1);
    holder->removeCallback(callback);
    EXPECT_EQ(holder->size(), 0u);
    holder->resetAll();
    EXPECT_EQ(callback->resets, 1);
}

TEST(ConfigStore, FeatureSetAndServiceShareOneStoreThatSurvivesAFile) {
    auto store = std::make_shared<ConfigStore>();
    ConfigFeatureSet featureSet(store);
    ConfigService service(store);
    featureSet.setConfigValue(L"HeadsetPreference", L"PreferNewDevice");
    EXPECT_EQ(service.getConfig(L"HeadsetPreference")->getValue(), L"PreferNewDevice");
    EXPECT_FALSE(service.getConfig(L"Missing")->isPresent());
    std::wstring value;
    EXPECT_FALSE(featureSet.getConfigValue(L"Missing", value, false));
    EXPECT_EQ(featureSet.calls().count("getConfigValue Missing false"), 1u);

    char dir[] = "/tmp/configstore-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/host.properties";
    service.setConfig(L"Name", L"caf\u00e9 = ok");
    ASSERT_TRUE(store->saveToFile(path));
    ConfigStore reloaded;
    ASSERT_TRUE(reloaded.loadFromFile(path));
    EXPECT_EQ(reloaded.snapshot(), store->snapshot());
    std::remove(path.c_str());
    rmdir(dir);
}

}  // namespace
}  // namespace olvar::test
