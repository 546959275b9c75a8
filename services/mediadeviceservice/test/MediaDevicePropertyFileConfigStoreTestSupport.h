// Helpers shared by the properties-store tests: a private temporary directory per test,
// whole-file reads and writes, and records built from the fields the file keeps.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "olvar/TemporaryDirectory.h"

namespace olvar::test {

using namespace ::OlvarUnified;

constexpr const char* kFileName = "deviceData4.properties";
constexpr const char* kLegacyFileName = "deviceData3.properties";

// The store expects its directory with a trailing separator, as path() gives it.
using olvar::TemporaryDirectory;

inline std::string readBytes(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const std::string& content) {
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream << content;
}

inline PreferredMediaDevicePtr makeDevice(MediaDeviceTypeEnum::MediaDeviceType type, const std::string& hardwareId,
                                          const std::string& name, const std::string& selectionId, int volume,
                                          const std::string& deviceInterface = "",
                                          const std::string& friendlyName = "", const std::string& vendor = "") {
    return std::make_shared<PreferredMediaDeviceImpl>(name, hardwareId, selectionId, type, volume, deviceInterface,
                                                      friendlyName, "instance-not-stored", vendor);
}

inline PreferredMediaDeviceList listOf(std::vector<PreferredMediaDevicePtr> devices) {
    return std::make_shared<std::vector<PreferredMediaDevicePtr>>(std::move(devices));
}

// n distinct devices of each of the four types, so every group of the file is exercised.
inline PreferredMediaDeviceList devicesOfAllTypes(int perType, const std::string& tag) {
    auto devices = listOf({});
    for (auto type : {MediaDeviceTypeEnum::SPEAKER, MediaDeviceTypeEnum::RINGER, MediaDeviceTypeEnum::MICROPHONE,
                      MediaDeviceTypeEnum::CAMERA}) {
        for (int i = 0; i < perType; ++i) {
            const std::string id = tag + "-" + std::to_string(type) + "-" + std::to_string(i);
            devices->push_back(makeDevice(type, "HWID-" + id, "Device " + id, "SEL-" + id, i % 101,
                                          "Interface " + id, "Friendly " + id, "Vendor " + id));
        }
    }
    return devices;
}

inline std::size_t lineCount(const std::string& content) {
    std::size_t lines = 0;
    for (char c : content) lines += c == '\n';
    return lines;
}

}  // namespace olvar::test
