// Services of the process-wide ServiceFactory.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "OlvarUnified/Api.h"
#include "OlvarUnified/TypeName.h"

namespace OlvarUnified {

class OLVAR_API HostService {
public:
    virtual ~HostService() = default;
};

class OLVAR_API ServiceFactory {
public:
    static ServiceFactory* getInstance();

    std::shared_ptr<HostService> getService(const std::string& typeName);
    void registerService(const std::string& typeName, std::shared_ptr<HostService> service);
    template <class Interface>
    void registerService(std::shared_ptr<Interface> service) {
        registerService(unifiedTypeName<Interface>(), std::move(service));
    }
    void clear();

private:
    std::mutex m_mutex;
    std::map<std::string, std::shared_ptr<HostService>> m_services;
};

}  // namespace OlvarUnified
