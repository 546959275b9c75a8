// Any text read as the preferred-devices file, written back and read again, gives the same
// devices: what the store reads it can always write, and nothing changes on the way.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "StoredDevices.h"

using namespace OlvarUnified;
using fuzzing::storedDevicesOf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Its file is never touched: the harness stays in memory. Each read replaces what the
    // last one left, so one store serves every input.
    static MediaDevicePropertyFileConfigStore store("deviceData4.properties", "/nonexistent/");
    store.readFromText(std::string(reinterpret_cast<const char*>(data), size));
    auto all = std::make_shared<std::vector<PreferredMediaDevicePtr>>();
    const auto first = storedDevicesOf(store, &all);

    const std::string written = store.fileContentOf(all);
    store.readFromText(written);
    if (storedDevicesOf(store, nullptr) != first) std::abort();
    // Writing what was read back changes nothing either.
    if (store.fileContentOf(all) != written) std::abort();
    return 0;
}
