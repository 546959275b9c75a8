// Loads the service module and finds its entry point, as the client's host does.
#pragma once

#include <string>

#include "module/InjectMediaDeviceService.h"

namespace Host {

class ModuleLoader {
public:
    using Entry = InjectMediaDeviceServiceFunction;

    ModuleLoader() = default;
    ~ModuleLoader();  // unloads
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;

    // Returns false with a reason when the library cannot be loaded or lacks the entry.
    bool load(const std::string& path, const std::string& entryName, std::string& error);
    Entry entry() const { return m_entry; }
    void unload();

private:
    void* m_handle = nullptr;
    Entry m_entry = nullptr;
};

// The module file next to the running program's library folder.
std::string defaultModulePath();

}  // namespace Host
