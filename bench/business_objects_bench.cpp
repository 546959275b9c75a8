// Cost of the generated business objects: a service fire over its observers, and building a
// published device from a record.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "OlvarUnified/UnifiedFactory.h"
#include "StubMediaDeviceService.h"
#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "objects/mediaDevice/MediaDeviceImpl.h"

namespace {

using namespace OlvarUnified;

class CountingServiceObserver : public MediaDeviceServiceObserver {
public:
    std::int64_t calls = 0;
    void OnInfoChanged() override {}
    void OnGuidChanged() override {}
    void OnBulkUpdateInProgressChanged() override {}
#define MDS_PROPERTY(Name, Type) \
    void On##Name##Changed() override { ++calls; }
#define MDS_LIST_PROPERTY(Name) \
    void On##Name##Changed(DeviceList, DeviceList) override { ++calls; }
#include "objects/mediaDeviceService/MediaDeviceServiceProperties.def"
};

void BM_ServiceFireOverObservers(benchmark::State& state) {
    auto factory = std::make_shared<UnifiedFactory>();
    auto service = std::make_shared<olvar::test::StubMediaDeviceService>(factory);
    std::vector<std::shared_ptr<CountingServiceObserver>> observers;
    for (int i = 0; i < state.range(0); ++i) {
        observers.push_back(std::make_shared<CountingServiceObserver>());
        service->addObserver(std::weak_ptr<MediaDeviceServiceObserver>(observers.back()));
    }
    for (auto _ : state) service->fireOnCurrentSpeakerDeviceVolumeChanged();
    benchmark::DoNotOptimize(observers.front()->calls);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_MediaDeviceFromRecord(benchmark::State& state) {
    auto factory = std::make_shared<UnifiedFactory>();
    PreferredMediaDeviceImpl record("Headset Earphone", "USB\\VID_0B0E&PID_0412", "{0.0.0.00000000}.{a1b2c3}",
                                    MediaDeviceTypeEnum::SPEAKER, 60, "Headset Interface", "Headset Friendly",
                                    "USB\\VID_0B0E&PID_0412\\5&1A2B3C4D", "Vendor");
    for (auto _ : state) {
        auto device = std::make_shared<MediaDeviceImpl>(factory, record);
        benchmark::DoNotOptimize(device);
    }
}

}  // namespace

BENCHMARK(BM_ServiceFireOverObservers)->Arg(1)->Arg(10)->Arg(100);
BENCHMARK(BM_MediaDeviceFromRecord);
