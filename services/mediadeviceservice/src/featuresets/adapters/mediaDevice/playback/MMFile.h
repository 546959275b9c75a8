// Wave file back end that maps the whole file read-only; playback copies straight from it.
#pragma once

#include <cstdint>
#include <string>

#include "featuresets/adapters/mediaDevice/playback/File.h"

class MMFile : public File<MMFile> {
public:
    ~MMFile() override;

    bool openFile(const std::string& path);
    void closeFile();

    // True when all count bytes at position lie inside the file and were copied.
    bool readAt(std::uint32_t position, void* out, std::uint32_t count) const;

    // The whole file, size() bytes; null when closed.
    const unsigned char* view() const { return m_view; }

private:
    const unsigned char* m_view = nullptr;
};
