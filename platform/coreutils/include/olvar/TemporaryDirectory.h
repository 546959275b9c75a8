// A private directory under the system's temporary folder, removed with everything in it when
// the object goes. For tests and benchmarks, which must never touch a user's real files.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace olvar {

class TemporaryDirectory {
public:
    explicit TemporaryDirectory(const std::string& prefix = "mds") {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data())) m_path = pattern + "/";
    }
    ~TemporaryDirectory() {
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    // With its trailing separator; empty if the directory could not be created.
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

}  // namespace olvar
