// The sounds the page may play, by name: a tone the host synthesises into its runtime folder,
// then the wave files of --sounds DIR. The page names an entry, never a path.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Host {

// A private folder for the run's files (the tone, the microphone check's recording), under
// $XDG_RUNTIME_DIR or /tmp; removed with its contents on destruction.
class RuntimeFolder {
public:
    RuntimeFolder();
    ~RuntimeFolder();
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;
    // Empty when the folder could not be made.
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

class SoundLibrary {
public:
    static constexpr const char* kToneName = "Tone";

    // Synthesises the tone into folder and lists soundsDirectory (may be empty). Names that
    // are not plain words are left out of the list.
    SoundLibrary(const std::filesystem::path& folder, const std::filesystem::path& soundsDirectory);
    std::vector<std::string> names() const;
    std::optional<std::filesystem::path> file(const std::string& name) const;

private:
    std::vector<std::pair<std::string, std::filesystem::path>> m_sounds;
};

}  // namespace Host
