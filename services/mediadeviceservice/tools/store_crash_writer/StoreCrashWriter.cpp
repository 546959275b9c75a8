// store_crash_writer <target directory/> <source directory/>...
// Loads the preferred lists stored in each source directory, then rewrites the file in the
// target directory with them in turn, forever. After every completed write it reports one
// byte on standard output, so the parent can choose the moment at which it kills us.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "featuresets/adapters/mediaDevice/preferred/MediaDevicePropertyFileConfigStore.h"

using namespace OlvarUnified;

namespace {
constexpr const char* kFileName = "deviceData4.properties";

PreferredMediaDeviceList loadAllTypes(const std::string& directory) {
    MediaDevicePropertyFileConfigStore source(kFileName, directory);
    source.readFromFile();
    auto all = std::make_shared<std::vector<PreferredMediaDevicePtr>>();
    for (auto type : {MediaDeviceTypeEnum::SPEAKER, MediaDeviceTypeEnum::RINGER, MediaDeviceTypeEnum::MICROPHONE,
                      MediaDeviceTypeEnum::CAMERA}) {
        PreferredMediaDeviceList devices = source.getPreferredDeviceList(type);
        all->insert(all->end(), devices->begin(), devices->end());
    }
    return all;
}

bool reportWriteDone() {
    const char done = 'w';
    return ::write(STDOUT_FILENO, &done, 1) == 1;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <target directory/> <source directory/>...\n", argv[0]);
        return 2;
    }
    std::vector<PreferredMediaDeviceList> versions;
    for (int i = 2; i < argc; ++i) versions.push_back(loadAllTypes(argv[i]));

    MediaDevicePropertyFileConfigStore target(kFileName, argv[1]);
    for (std::size_t round = 0;; ++round) {
        target.writeToFile(versions[round % versions.size()]);
        if (!reportWriteDone()) return 0;  // the parent has gone away
    }
}
