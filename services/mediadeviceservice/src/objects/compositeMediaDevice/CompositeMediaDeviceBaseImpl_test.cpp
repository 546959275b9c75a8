#include "objects/compositeMediaDevice/generated/CompositeMediaDeviceBaseImpl.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "ModuleTestNames.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "OlvarUnified/UpdateAccess.h"
#include "RecordingObservers.h"
#include "objects/localVideoPreviewDimensions/generated/LocalVideoPreviewDimensionsBaseImpl.h"
#include "objects/mediaDevice/MediaDeviceImpl.h"

namespace olvar::test {
namespace {

using Strings = std::vector<std::string>;

class CompositeAndDimensions : public ::testing::Test {
protected:
    void SetUp() override { violationsBefore = UpdateAccess::violationCount(); }
    void TearDown() override { EXPECT_EQ(UpdateAccess::violationCount(), violationsBefore); }

    std::shared_ptr<UnifiedFactory> factory = std::make_shared<UnifiedFactory>();
    std::uint64_t violationsBefore = 0;
};

TEST_F(CompositeAndDimensions, FreshCompositeHasNoListAndEmptyNames) {
    CompositeMediaDeviceBaseImpl composite(factory);
    EXPECT_EQ(composite.getMediaDevices(), nullptr);
    EXPECT_EQ(composite.getName(), L"");
    EXPECT_EQ(composite.getFullName(), L"");
    EXPECT_EQ(composite.getInterfaceName(), "CompositeMediaDevice");
    EXPECT_EQ(RecordingCompositeMediaDeviceObserver().getInterfaceName(), "CompositeMediaDeviceObserver");
}

TEST_F(CompositeAndDimensions, CompositeListNotifierGetsListsAndResets) {
    auto composite = std::make_shared<CompositeMediaDeviceBaseImpl>(factory);
    auto observer = std::make_shared<RecordingCompositeMediaDeviceObserver>();
    composite->addObserver(std::weak_ptr<CompositeMediaDeviceObserver>(observer));
    auto notifiers = composite->getCompositeMediaDeviceNotifiers();

    std::vector<std::tuple<bool, DeviceList, DeviceList>> deliveries;
    notifiers->getMediaDevicesNotifier()->connect(
        [&](bool reset, DeviceList first, DeviceList second) { deliveries.emplace_back(reset, first, second); });
    int nameCalls = 0;
    notifiers->getNameNotifier()->connect([&] { ++nameCalls; });

    auto devices = std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>(
        1, std::make_shared<MediaDeviceImpl>(factory));
    composite->setMediaDevices(devices);
    composite->setCompositeType(AccessoryDeviceTypeEnum::ACCESSORY_CLASS_2);
    EXPECT_TRUE(deliveries.empty()) << "setters never notify";

    composite->fireOnMediaDevicesChanged(devices, nullptr);
    composite->deliverInfoChanged();
    ASSERT_EQ(deliveries.size(), 2u);
    EXPECT_EQ(deliveries[0], std::make_tuple(false, devices, DeviceList()));
    EXPECT_EQ(deliveries[1], std::make_tuple(true, DeviceList(), DeviceList()));
    EXPECT_EQ(nameCalls, 1);
    EXPECT_EQ(observer->log.calls, (Strings{"MediaDevices", "Info"}));
    EXPECT_EQ(observer->log.lists.at(0).first, devices);
    EXPECT_EQ(composite->getCompositeType(), AccessoryDeviceTypeEnum::ACCESSORY_CLASS_2);
}

TEST_F(CompositeAndDimensions, DimensionsStoreAllValuesAndFireInTableOrder) {
    auto dimensions = std::make_shared<LocalVideoPreviewDimensionsBaseImpl>(factory);
    EXPECT_EQ(dimensions->getInterfaceName(), "LocalVideoPreviewDimensions");
    int window = 0;
    dimensions->setWidth(640);
    dimensions->setROIWidth(320);
    dimensions->setWindowHandle(&window);
    EXPECT_EQ(dimensions->getWidth(), 640);
    EXPECT_EQ(dimensions->getHeight(), 0);
    EXPECT_EQ(dimensions->getROIWidth(), 320);
    EXPECT_EQ(dimensions->getWindowHandle(), &window);

    dimensions->deliverInfoChanged();  // nothing requested yet: nothing to fire
    Strings fired;
    auto notifiers = dimensions->getLocalVideoPreviewDimensionsNotifiers();
    notifiers->getWindowHandleNotifier()->connect([&] { fired.push_back("WindowHandle"); });
    notifiers->getROITopNotifier()->connect([&] { fired.push_back("ROITop"); });
    notifiers->getWidthNotifier()->connect([&] { fired.push_back("Width"); });
    dimensions->deliverInfoChanged();
    dimensions->fireOnROITopChanged();
    EXPECT_EQ(fired, (Strings{"Width", "ROITop", "WindowHandle", "ROITop"}));
}

}  // namespace
}  // namespace olvar::test
