// The host's system service and its holder of reset-data callbacks.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "OlvarUnified/UnifiedBusinessObjectImpl.h"
#include "OlvarUnified/UnifiedService.h"

namespace OlvarUnified {

class OLVAR_API UnifiedCallback {
public:
    virtual ~UnifiedCallback() = default;
    virtual std::string getInterfaceName() = 0;
};

class OLVAR_API ProviderResetDataCallback : public UnifiedCallback {
public:
    // The host asks every provider to delete the user data it keeps.
    virtual void onResetData() = 0;
};

class OLVAR_API ResetDataCallbackHolder {
public:
    void addCallback(std::shared_ptr<ProviderResetDataCallback> callback);
    void removeCallback(const std::shared_ptr<ProviderResetDataCallback>& callback);
    std::size_t size() const;
    // Calls onResetData on every callback, outside the lock.
    void resetAll();

private:
    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<ProviderResetDataCallback>> m_callbacks;
};

class OLVAR_API SystemService : public UnifiedBusinessObjectImpl, public virtual UnifiedService {
public:
    explicit SystemService(std::shared_ptr<UnifiedFactory> factory);
    std::shared_ptr<ResetDataCallbackHolder> getResetDataCallbackHolder() { return m_holder; }

    bool getBulkUpdateInProgress() override { return false; }
    void addObserver(std::weak_ptr<UnifiedServiceObserver> observer) override;
    void removeObserver(std::weak_ptr<UnifiedServiceObserver> observer) override;
    std::string getClassName() override { return "SystemService"; }
    std::string getInterfaceName() override { return "SystemService"; }
    using UnifiedBusinessObjectImpl::addObserver;
    using UnifiedBusinessObjectImpl::removeObserver;

private:
    std::shared_ptr<ResetDataCallbackHolder> m_holder = std::make_shared<ResetDataCallbackHolder>();
};

}  // namespace OlvarUnified
