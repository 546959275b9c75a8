// Any text read as the preferred-devices file, written back and read again, gives the same
// devices: what the store reads it can always write, and nothing changes on the way.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "featuresets/adapters/mediaDevice/MediaDevicePropertyFileConfigStore.h"

using namespace OlvarUnified;

namespace {

constexpr MediaDeviceTypeEnum::MediaDeviceType kTypes[] = {MediaDeviceTypeEnum::SPEAKER, MediaDeviceTypeEnum::RINGER,
                                                           MediaDeviceTypeEnum::MICROPHONE, MediaDeviceTypeEnum::CAMERA};

using StoredFields = std::tuple<int, std::string, std::string, std::string, int, std::string, std::string, std::string>;

// The devices of every type, as the fields that the file keeps.
std::vector<StoredFields> devicesOf(MediaDevicePropertyFileConfigStore& store, PreferredMediaDeviceList* all) {
    std::vector<StoredFields> fields;
    for (auto type : kTypes) {
        const PreferredMediaDeviceList devices = store.getPreferredDeviceList(type);
        for (const auto& device : *devices) {
            fields.emplace_back(device->type, device->hardwareId, device->name, device->selectionId, device->volume,
                                device->deviceInterface, device->friendlyName, device->vendor);
            if (all) (*all)->push_back(device);
        }
    }
    return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Its file is never touched: the harness stays in memory. Each read replaces what the
    // last one left, so one store serves every input.
    static MediaDevicePropertyFileConfigStore store("deviceData4.properties", "/nonexistent/");
    store.readFromText(std::string(reinterpret_cast<const char*>(data), size));
    auto all = std::make_shared<std::vector<PreferredMediaDevicePtr>>();
    const auto first = devicesOf(store, &all);

    const std::string written = store.fileContentOf(all);
    store.readFromText(written);
    if (devicesOf(store, nullptr) != first) std::abort();
    // Writing what was read back changes nothing either.
    if (store.fileContentOf(all) != written) std::abort();
    return 0;
}
