// Cost of persisting and loading the preferred lists. writeToFile syncs the file to disk
// before renaming it into place, so its figure is dominated by the file system's fsync.
#include <benchmark/benchmark.h>
#include <string>

#include "featuresets/adapters/mediaDevice/preferred/MediaDevicePropertyFileConfigStore.h"
#include "olvar/TemporaryDirectory.h"

using namespace OlvarUnified;

namespace {

constexpr const char* kFileName = "deviceData4.properties";
constexpr MediaDeviceTypeEnum::MediaDeviceType kTypes[] = {MediaDeviceTypeEnum::SPEAKER, MediaDeviceTypeEnum::RINGER,
                                                           MediaDeviceTypeEnum::MICROPHONE, MediaDeviceTypeEnum::CAMERA};

// count devices spread evenly over the four types, with realistic field lengths.
PreferredMediaDeviceList realisticDevices(std::int64_t count) {
    auto devices = std::make_shared<std::vector<PreferredMediaDevicePtr>>();
    for (std::int64_t i = 0; i < count; ++i) {
        const std::string id = std::to_string(i);
        devices->push_back(std::make_shared<PreferredMediaDeviceImpl>(
            "Headset Earphone " + id, "USB\\VID_0B0E&PID_24" + id, "{0.0.0.00000000}.{" + id + "-4d1c-9a9b}",
            kTypes[i % 4], static_cast<std::int32_t>(i % 101), "USB Headset " + id,
            "Headset Earphone (USB Headset " + id + ")", "", "Vendor " + id));
    }
    return devices;
}

void BM_WriteToFile(benchmark::State& state) {
    olvar::TemporaryDirectory directory("mds-store-bench");
    MediaDevicePropertyFileConfigStore store(kFileName, directory.path());
    const PreferredMediaDeviceList devices = realisticDevices(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(store.writeToFile(devices));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadFromFileAndBuildLists(benchmark::State& state) {
    olvar::TemporaryDirectory directory("mds-store-bench");
    MediaDevicePropertyFileConfigStore store(kFileName, directory.path());
    store.writeToFile(realisticDevices(state.range(0)));
    for (auto _ : state) {
        store.readFromFile();
        for (auto type : kTypes) benchmark::DoNotOptimize(store.getPreferredDeviceList(type));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_WriteToFile)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadFromFileAndBuildLists)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
