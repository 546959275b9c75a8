// Configuration as a feature set and as a host service, both over ConfigStore.
#pragma once

#include <memory>
#include <string>

#include "OlvarUnified/ConfigStore.h"
#include "OlvarUnified/FeatureSet.h"
#include "OlvarUnified/HostService.h"
#include "olvar/CallRecorder.h"

namespace OlvarUnified {

class OLVAR_API ConfigFeatureSet : public FeatureSet {
public:
    explicit ConfigFeatureSet(std::shared_ptr<ConfigStore> store = ConfigStore::instance());
    // The flag is the host's "use the default when absent" switch; this host records it and
    // answers from the store either way.
    virtual bool getConfigValue(const std::wstring& key, std::wstring& value, bool flag);
    virtual void setConfigValue(const std::wstring& key, const std::wstring& value);
    olvar::CallRecorder& calls() { return m_calls; }

private:
    std::shared_ptr<ConfigStore> m_store;
    olvar::CallRecorder m_calls;
};

class OLVAR_API ConfigValue {
public:
    ConfigValue(bool present, std::wstring value) : m_present(present), m_value(std::move(value)) {}
    const std::wstring& getValue() const { return m_value; }  // empty when absent
    bool isPresent() const { return m_present; }

private:
    bool m_present;
    std::wstring m_value;
};

class OLVAR_API ConfigService : public HostService {
public:
    explicit ConfigService(std::shared_ptr<ConfigStore> store = ConfigStore::instance());
    // Never empty: an absent key gives a value object with empty text.
    virtual std::shared_ptr<ConfigValue> getConfig(const std::wstring& key);
    virtual void setConfig(const std::wstring& key, const std::wstring& value);
    olvar::CallRecorder& calls() { return m_calls; }

private:
    std::shared_ptr<ConfigStore> m_store;
    olvar::CallRecorder m_calls;
};

}  // namespace OlvarUnified
