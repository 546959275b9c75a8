#include "OlvarUnified/UnifiedFactory.h"

#include "OlvarUnified/UnifiedBusinessObjectImpl.h"

namespace OlvarUnified {

UnifiedFactory::UnifiedFactory(std::shared_ptr<ServicesDispatcher> dispatcher) : m_dispatcher(std::move(dispatcher)) {}

UnifiedFactory::~UnifiedFactory() = default;

void UnifiedFactory::registerService(const std::string& typeName, int number, std::shared_ptr<UnifiedService> service) {
    // From registration on, the service belongs to the services dispatcher.
    if (auto object = std::dynamic_pointer_cast<UnifiedBusinessObjectImpl>(service)) object->commitToServicesDispatcher();
    m_services.set(typeName, number, std::move(service));
}

std::shared_ptr<UnifiedService> UnifiedFactory::getService(const std::string& typeName) {
    if (auto found = m_services.find(typeName)) return found;
    if (!firstMiss("service:" + typeName)) return nullptr;
    loadService(typeName);
    return m_services.find(typeName);
}

std::shared_ptr<UnifiedService> UnifiedFactory::getService(int number) { return m_services.find(number); }

void UnifiedFactory::registerFeatureSet(const std::string& typeName, int number, std::shared_ptr<FeatureSet> featureSet) {
    m_featureSets.set(typeName, number, std::move(featureSet));
}

std::shared_ptr<FeatureSet> UnifiedFactory::getFeatureSet(const std::string& typeName) {
    if (auto found = m_featureSets.find(typeName)) return found;
    if (!firstMiss("featureset:" + typeName)) return nullptr;
    loadFeatureSet(typeName);
    return m_featureSets.find(typeName);
}

std::shared_ptr<FeatureSet> UnifiedFactory::getFeatureSet(int number) { return m_featureSets.find(number); }

void UnifiedFactory::loadService(const std::string& typeName) {
    Loader loader;
    {
        std::lock_guard<std::mutex> lock(m_loadMutex);
        loader = m_serviceLoader;
    }
    if (loader) loader(*this, typeName);
}

void UnifiedFactory::loadFeatureSet(const std::string& typeName) {
    Loader loader;
    {
        std::lock_guard<std::mutex> lock(m_loadMutex);
        loader = m_featureSetLoader;
    }
    if (loader) loader(*this, typeName);
}

void UnifiedFactory::setServiceLoader(Loader loader) {
    std::lock_guard<std::mutex> lock(m_loadMutex);
    m_serviceLoader = std::move(loader);
}

void UnifiedFactory::setFeatureSetLoader(Loader loader) {
    std::lock_guard<std::mutex> lock(m_loadMutex);
    m_featureSetLoader = std::move(loader);
}

int UnifiedFactory::loadAttempts(const std::string& typeName) const {
    std::lock_guard<std::mutex> lock(m_loadMutex);
    int total = 0;
    for (const char* kind : {"service:", "featureset:"}) {
        auto it = m_attempts.find(kind + typeName);
        if (it != m_attempts.end()) total += it->second;
    }
    return total;
}

bool UnifiedFactory::firstMiss(const std::string& key) {
    std::lock_guard<std::mutex> lock(m_loadMutex);
    ++m_attempts[key];
    return m_attempted.insert(key).second;
}

void UnifiedFactory::clearRegistries() {
    m_services.clear();
    m_featureSets.clear();
}

}  // namespace OlvarUnified
