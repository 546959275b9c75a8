#include "module/ModuleLog.h"

#include <cstring>

namespace OlvarUnified::ModuleLog {

std::string sourcePath(const char* file) {
    std::string path(file);
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
    return path;
}

std::string qualifiedFunction(const char* prettyFunction) {
    std::string text(prettyFunction);
    // The argument list starts at the first '(' outside template brackets.
    int depth = 0;
    std::size_t open = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<') ++depth;
        else if (c == '>') --depth;
        else if (c == '(' && depth == 0) {
            open = i;
            break;
        }
    }
    text.erase(open);
    // The return type, if any, ends at the last blank outside template brackets.
    depth = 0;
    for (std::size_t i = text.size(); i-- > 0;) {
        const char c = text[i];
        if (c == '>') ++depth;
        else if (c == '<') --depth;
        else if (c == ' ' && depth == 0) return text.substr(i + 1);
    }
    return text;
}

}  // namespace OlvarUnified::ModuleLog
