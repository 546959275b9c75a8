#include "ModuleLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace Host {

ModuleLoader::~ModuleLoader() { unload(); }

bool ModuleLoader::load(const std::string& path, const std::string& entryName, std::string& error) {
    unload();
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        const char* reason = dlerror();
        error = "cannot load module " + path + ": " + (reason ? reason : "unknown error");
        return false;
    }
    dlerror();
    void* symbol = dlsym(m_handle, entryName.c_str());
    if (!symbol) {
        const char* reason = dlerror();
        error = "module " + path + " has no entry point " + entryName + (reason ? std::string(": ") + reason : "");
        unload();
        return false;
    }
    m_entry = reinterpret_cast<Entry>(symbol);
    return true;
}

void ModuleLoader::unload() {
    m_entry = nullptr;
    if (m_handle) dlclose(m_handle);
    m_handle = nullptr;
}

std::string defaultModulePath() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return "libmediadeviceservice.so";
    std::string exe(buffer, static_cast<std::size_t>(length));
    const auto slash = exe.find_last_of('/');
    const std::string binDir = slash == std::string::npos ? "." : exe.substr(0, slash);
    return binDir + "/../lib/libmediadeviceservice.so";
}

}  // namespace Host
