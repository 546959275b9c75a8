#include "OlvarUnified/ConfigFeatureSet.h"

#include "MirelCoreUtils/StringUtils.h"

namespace OlvarUnified {

using MirelCoreUtils::toString;

ConfigFeatureSet::ConfigFeatureSet(std::shared_ptr<ConfigStore> store) : m_store(std::move(store)) {}

bool ConfigFeatureSet::getConfigValue(const std::wstring& key, std::wstring& value, bool flag) {
    m_calls.record("getConfigValue " + toString(key) + (flag ? " true" : " false"));
    return m_store->get(key, value);
}

void ConfigFeatureSet::setConfigValue(const std::wstring& key, const std::wstring& value) {
    m_calls.record("setConfigValue " + toString(key) + " " + toString(value));
    m_store->set(key, value);
}

ConfigService::ConfigService(std::shared_ptr<ConfigStore> store) : m_store(std::move(store)) {}

std::shared_ptr<ConfigValue> ConfigService::getConfig(const std::wstring& key) {
    m_calls.record("getConfig " + toString(key));
    std::wstring value;
    const bool present = m_store->get(key, value);
    return std::make_shared<ConfigValue>(present, value);
}

void ConfigService::setConfig(const std::wstring& key, const std::wstring& value) {
    m_calls.record("setConfig " + toString(key) + " " + toString(value));
    m_store->set(key, value);
}

}  // namespace OlvarUnified
