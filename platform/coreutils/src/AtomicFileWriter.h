// Replaces a file through a temporary sibling, fsync and rename.
//
// A writer holds an advisory lock on its temporary file until the rename, so a temporary that
// can be locked by someone else belongs to a writer that died midway: the next write of the
// same path removes it.
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
    void removeStaleTemporaries();
    bool createTemporary(std::string& error);
    bool writeAll(const std::string& content, std::string& error);
    bool flushAndClose(std::string& error);
    bool renameIntoPlace(std::string& error);
    void syncDirectory();
    void discardTemporary();
    void releaseLock();

    std::string m_path;
    std::string m_temporaryPath;
    int m_fd = -1;
    int m_lockFd = -1;  // keeps the temporary locked after m_fd is closed, up to the rename
};

}  // namespace MirelCoreUtils::detail
