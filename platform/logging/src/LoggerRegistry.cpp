#include <mutex>
#include <string_view>
#include <unordered_map>

#include "LoggerInternals.h"

namespace {

// Loggers are handed out as raw pointers and used from static destructors of other
// libraries, so neither the registry nor its loggers are ever destroyed.
struct LoggerRegistry {
    std::mutex mutex;
    std::unordered_map<std::string, OlvarLogger*> loggers;
};

LoggerRegistry& registry() {
    static auto* instance = new LoggerRegistry;
    return *instance;
}

}  // namespace

OlvarLoggerHandle OlvarLogger_getLogger(const char* name) {
    const std::string key = name ? name : "";
    LoggerRegistry& reg = registry();
    std::lock_guard<std::mutex> lock(reg.mutex);
    auto [it, inserted] = reg.loggers.try_emplace(key, nullptr);
    if (inserted) {
        it->second = new OlvarLogger{key};
    }
    return it->second;
}
