#include "OlvarUnified/HostService.h"

namespace OlvarUnified {

ServiceFactory* ServiceFactory::getInstance() {
    static ServiceFactory* const instance = new ServiceFactory();  // outlives every module's statics
    return instance;
}

std::shared_ptr<HostService> ServiceFactory::getService(const std::string& typeName) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_services.find(typeName);
    return it == m_services.end() ? nullptr : it->second;
}

void ServiceFactory::registerService(const std::string& typeName, std::shared_ptr<HostService> service) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_services[typeName] = std::move(service);
}

void ServiceFactory::clear() {
    std::map<std::string, std::shared_ptr<HostService>> released;
    std::lock_guard<std::mutex> lock(m_mutex);
    released.swap(m_services);
}

}  // namespace OlvarUnified
