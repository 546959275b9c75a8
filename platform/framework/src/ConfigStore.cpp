#include "OlvarUnified/ConfigStore.h"

#include <fstream>

#include "MirelCoreUtils/FileUtils.h"
#include "MirelCoreUtils/StringUtils.h"

namespace OlvarUnified {

std::shared_ptr<ConfigStore> ConfigStore::instance() {
    static const auto store = std::make_shared<ConfigStore>();
    return store;
}

bool ConfigStore::get(const std::wstring& key, std::wstring& value) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_values.find(key);
    if (it == m_values.end()) return false;
    value = it->second;
    return true;
}

void ConfigStore::set(const std::wstring& key, const std::wstring& value) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_values[key] = value;
}

void ConfigStore::erase(const std::wstring& key) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_values.erase(key);
}

void ConfigStore::clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_values.clear();
}

std::map<std::wstring, std::wstring> ConfigStore::snapshot() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_values;
}

bool ConfigStore::loadFromFile(const std::string& path) {
    std::ifstream in;
    MirelCoreUtils::FstreamUtils::open(in, path, std::ios_base::in);
    if (!in.is_open()) return false;
    std::map<std::wstring, std::wstring> loaded;
    std::string line;
    while (std::getline(in, line)) {
        line = MirelCoreUtils::trim(line);
        if (line.empty() || line[0] == '#') continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        loaded[MirelCoreUtils::toWideString(MirelCoreUtils::trim(line.substr(0, equals)))] =
            MirelCoreUtils::toWideString(MirelCoreUtils::trim(line.substr(equals + 1)));
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& [key, value] : loaded) m_values[key] = value;
    return true;
}

bool ConfigStore::saveToFile(const std::string& path) const {
    std::string content;
    for (const auto& [key, value] : snapshot())
        content += MirelCoreUtils::toString(key) + "=" + MirelCoreUtils::toString(value) + "\n";
    std::string error;
    return MirelCoreUtils::FileUtils::writeFileAtomically(path, content, error);
}

}  // namespace OlvarUnified
