// The one store of configuration values behind ConfigFeatureSet and ConfigService.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "OlvarUnified/Api.h"

namespace OlvarUnified {

class OLVAR_API ConfigStore {
public:
    static std::shared_ptr<ConfigStore> instance();

    bool get(const std::wstring& key, std::wstring& value) const;
    void set(const std::wstring& key, const std::wstring& value);
    void erase(const std::wstring& key);
    void clear();
    std::map<std::wstring, std::wstring> snapshot() const;

    // Lines of "key=value" in UTF-8; lines without '=' and lines starting with '#' are skipped.
    // A missing file loads nothing and returns false.
    bool loadFromFile(const std::string& path);
    bool saveToFile(const std::string& path) const;

private:
    mutable std::mutex m_mutex;
    std::map<std::wstring, std::wstring> m_values;
};

}  // namespace OlvarUnified
