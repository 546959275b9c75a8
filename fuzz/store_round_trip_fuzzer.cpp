// The store's whole round trip on disk: any bytes found as the preferred-devices file (or as
// the previous generation's file, migrated first) are read, written back through the atomic
// writer and read by a fresh store, giving the same devices; the file on disk is exactly what
// the store meant to write, and the write leaves nothing else in the folder.
#include <dirent.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "StoredDevices.h"

using namespace OlvarUnified;
using fuzzing::storedDevicesOf;

namespace {

constexpr const char* kFileName = "deviceData4.properties";
constexpr const char* kLegacyFileName = "deviceData3.properties";

std::set<std::string> namesIn(const std::string& directory) {
    std::set<std::string> names;
    if (DIR* dir = opendir(directory.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.insert(name);
        }
        closedir(dir);
    }
    return names;
}

void emptyFolder(const std::string& directory) {
    for (const auto& name : namesIn(directory)) std::remove((directory + name).c_str());
}

// A private folder for the run, removed when the fuzzer exits.
struct RunFolder {
    RunFolder() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/mds-store-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        path = pattern + "/";
    }
    ~RunFolder() {
        emptyFolder(path);
        rmdir(path.c_str());
    }
    std::string path;
};

const std::string& folder() {
    static const RunFolder run;
    return run.path;
}

std::string contentOf(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte says where the bytes are found: the file itself or only the legacy one.
    const bool legacy = data[0] & 1;
    emptyFolder(folder());
    {
        std::ofstream found(folder() + (legacy ? kLegacyFileName : kFileName), std::ios::binary);
        found.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }

    MediaDevicePropertyFileConfigStore store(kFileName, folder());
    store.migrateLegacyFile();
    store.readFromFile();
    auto all = std::make_shared<std::vector<PreferredMediaDevicePtr>>();
    const auto first = storedDevicesOf(store, &all);
    if (!store.writeToFile(all)) std::abort();
    if (contentOf(folder() + kFileName) != store.fileContentOf(all)) std::abort();

    std::set<std::string> expected{kFileName};
    if (legacy) expected.insert(kLegacyFileName);
    if (namesIn(folder()) != expected) std::abort();  // a temporary file left behind

    MediaDevicePropertyFileConfigStore fresh(kFileName, folder());
    fresh.readFromFile();
    if (storedDevicesOf(fresh, nullptr) != first) std::abort();
    return 0;
}
