#include "MirelCoreUtils/FileUtils.h"

namespace MirelCoreUtils {

// Paths are UTF-8 and the platform's file names are bytes, so no conversion is needed.
void FstreamUtils::open(std::ifstream& stream, const std::string& path, std::ios_base::openmode mode) {
    stream.open(path, mode);
}

void FstreamUtils::open(std::ofstream& stream, const std::string& path, std::ios_base::openmode mode) {
    stream.open(path, mode);
}

}  // namespace MirelCoreUtils
