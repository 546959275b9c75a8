// Read-only file handle and size shared by the plain-read and memory-mapped back ends.
#pragma once

#include <cstdint>
#include <string>


// T is the back end (IOFile or MMFile); the wave parser reads through T::readAt.
template <class T>
class File {
public:
    static constexpr int kInvalidHandle = -1;

    File() = default;
    virtual ~File() { closeHandle(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Size in bytes of the open file; 0 when closed.
    std::uint32_t size() const { return m_size; }
    bool isOpen() const { return m_handle != kInvalidHandle; }

protected:
    // Opens a regular file for reading. Empty files and files of 4 GiB or more are refused:
    // positions and sizes of wave files are 32-bit.
    bool openHandle(const std::string& path);
    void closeHandle();

    int m_handle = kInvalidHandle;
    std::uint32_t m_size = 0;
};
