// The host's factory: service and feature-set registries and the services dispatcher.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "OlvarUnified/FeatureSet.h"
#include "OlvarUnified/ServicesDispatcher.h"
#include "OlvarUnified/TypeName.h"
#include "OlvarUnified/UnifiedService.h"

namespace OlvarUnified {

// One object per type name and one per number, each map under its own lock.
template <class Entry>
class Registry {
public:
    void set(const std::string& typeName, int number, std::shared_ptr<Entry> entry) {
        {
            std::lock_guard<std::mutex> lock(m_byNameMutex);
            m_byName[typeName] = entry;
        }
        std::lock_guard<std::mutex> lock(m_byNumberMutex);
        m_byNumber[number] = std::move(entry);
    }
    std::shared_ptr<Entry> find(const std::string& typeName) const {
        std::lock_guard<std::mutex> lock(m_byNameMutex);
        auto it = m_byName.find(typeName);
        return it == m_byName.end() ? nullptr : it->second;
    }
    std::shared_ptr<Entry> find(int number) const {
        std::lock_guard<std::mutex> lock(m_byNumberMutex);
        auto it = m_byNumber.find(number);
        return it == m_byNumber.end() ? nullptr : it->second;
    }
    void clear() {
        std::map<std::string, std::shared_ptr<Entry>> byName;
        std::map<int, std::shared_ptr<Entry>> byNumber;
        {
            std::lock_guard<std::mutex> lock(m_byNameMutex);
            byName.swap(m_byName);
        }
        std::lock_guard<std::mutex> lock(m_byNumberMutex);
        byNumber.swap(m_byNumber);
    }

private:
    mutable std::mutex m_byNameMutex;
    mutable std::mutex m_byNumberMutex;
    std::map<std::string, std::shared_ptr<Entry>> m_byName;
    std::map<int, std::shared_ptr<Entry>> m_byNumber;
};

class OLVAR_API UnifiedFactory {
public:
    // Called once per name on the first miss; may register what it loads.
    using Loader = std::function<void(UnifiedFactory& factory, const std::string& typeName)>;

    explicit UnifiedFactory(std::shared_ptr<ServicesDispatcher> dispatcher = std::make_shared<ServicesDispatcher>());
    virtual ~UnifiedFactory();

    // Registering a service hands it to the services dispatcher (see UnifiedBusinessObjectImpl).
    void registerService(const std::string& typeName, int number, std::shared_ptr<UnifiedService> service);
    std::shared_ptr<UnifiedService> getService(const std::string& typeName);
    std::shared_ptr<UnifiedService> getService(int number);
    template <class Interface>
    std::shared_ptr<Interface> getService() {
        return std::dynamic_pointer_cast<Interface>(getService(unifiedTypeName<Interface>()));
    }

    void registerFeatureSet(const std::string& typeName, int number, std::shared_ptr<FeatureSet> featureSet);
    std::shared_ptr<FeatureSet> getFeatureSet(const std::string& typeName);
    std::shared_ptr<FeatureSet> getFeatureSet(int number);
    template <class Interface>
    std::shared_ptr<Interface> getFeatureSet() {
        return std::dynamic_pointer_cast<Interface>(getFeatureSet(unifiedTypeName<Interface>()));
    }

    std::shared_ptr<ServicesDispatcher> getServicesDispatcher() { return m_dispatcher; }

    virtual void loadService(const std::string& typeName);
    virtual void loadFeatureSet(const std::string& typeName);
    void setServiceLoader(Loader loader);
    void setFeatureSetLoader(Loader loader);
    int loadAttempts(const std::string& typeName) const;

    // Drops every registered object (the host's shutdown).
    void clearRegistries();

private:
    bool firstMiss(const std::string& typeName);

    std::shared_ptr<ServicesDispatcher> m_dispatcher;
    Registry<UnifiedService> m_services;
    Registry<FeatureSet> m_featureSets;
    mutable std::mutex m_loadMutex;
    std::set<std::string> m_attempted;
    std::map<std::string, int> m_attempts;
    Loader m_serviceLoader;
    Loader m_featureSetLoader;
};

}  // namespace OlvarUnified
