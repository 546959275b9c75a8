// File-system helpers.
#pragma once

#include <fstream>
#include <string>

#define OLVAR_API __attribute__((visibility("default")))

namespace MirelCoreUtils {

class OLVAR_API FileUtils {
public:
    // The client's configuration directory, without a trailing separator, created if missing.
    // MIREL_CONFIG_DIR overrides it; otherwise $XDG_CONFIG_HOME/olvar or $HOME/.config/olvar.
    static std::string getConfigDirectory();
    static std::string FileSeparator();  // "/"

    static bool fileExists(const std::string& path);
    // Copies source to target; an existing target is replaced only when overwrite is true.
    static bool copyFile(const std::string& source, const std::string& target, bool overwrite);
    static bool removeFile(const std::string& path);

    // Replaces path with content so that a reader sees either the old file or the whole
    // new one, also when the process dies midway or the disk is full: the content goes to
    // a temporary file in the same directory, is flushed to disk and renamed over path.
    // The file is created readable and writable by its owner only. On failure the old
    // file is left untouched and error describes why.
    static bool writeFileAtomically(const std::string& path, const std::string& content, std::string& error);
};

class OLVAR_API FstreamUtils {
public:
    // Opens a file stream on a narrow UTF-8 path.
    static void open(std::ifstream& stream, const std::string& path, std::ios_base::openmode mode = std::ios_base::in);
    static void open(std::ofstream& stream, const std::string& path, std::ios_base::openmode mode = std::ios_base::out);
};

}  // namespace MirelCoreUtils
