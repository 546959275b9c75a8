// Replaces a file through a temporary sibling, fsync and rename.
#pragma once

#include <string>

namespace MirelCoreUtils::detail {

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // True when path holds content; otherwise the old file is untouched and error says why.
    bool write(const std::string& content, std::string& error);

private:
    bool createTemporary(std::string& error);
    bool writeAll(const std::string& content, std::string& error);
    bool flushAndClose(std::string& error);
    bool renameIntoPlace(std::string& error);
    void syncDirectory();
    void discardTemporary();

    std::string m_path;
    std::string m_temporaryPath;
    int m_fd = -1;
};

}  // namespace MirelCoreUtils::detail
