// Wave file back end that reads with explicit positions; used to test whether a file plays.
#pragma once

#include <cstdint>
#include <string>

#include "featuresets/adapters/mediaDevice/playback/File.h"

class IOFile : public File<IOFile> {
public:
    bool openFile(const std::string& path) { return openHandle(path); }
    void closeFile() { closeHandle(); }

    // True when all count bytes at position were read.
    bool readAt(std::uint32_t position, void* out, std::uint32_t count) const;
};
