#include "OlvarUnified/SystemService.h"

#include <algorithm>

namespace OlvarUnified {

void ResetDataCallbackHolder::addCallback(std::shared_ptr<ProviderResetDataCallback> callback) {
    if (!callback) return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_callbacks.push_back(std::move(callback));
}

void ResetDataCallbackHolder::removeCallback(const std::shared_ptr<ProviderResetDataCallback>& callback) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_callbacks.erase(std::remove(m_callbacks.begin(), m_callbacks.end(), callback), m_callbacks.end());
}

std::size_t ResetDataCallbackHolder::size() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_callbacks.size();
}

void ResetDataCallbackHolder::resetAll() {
    std::vector<std::shared_ptr<ProviderResetDataCallback>> callbacks;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        callbacks = m_callbacks;
    }
    for (auto& callback : callbacks) callback->onResetData();
}

SystemService::SystemService(std::shared_ptr<UnifiedFactory> factory)
    : UnifiedBusinessObjectImpl(std::move(factory), "SystemService") {}

void SystemService::addObserver(std::weak_ptr<UnifiedServiceObserver> observer) {
    UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer.lock()));
}

void SystemService::removeObserver(std::weak_ptr<UnifiedServiceObserver> observer) {
    UnifiedBusinessObjectImpl::removeObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer.lock()));
}

}  // namespace OlvarUnified
