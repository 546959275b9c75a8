#include "OlvarUnified/UnifiedBusinessObjectImpl.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <random>

#include "OlvarUnified/UnifiedFactory.h"
#include "OlvarUnified/UpdateAccess.h"

namespace OlvarUnified {

namespace {
std::string newGuid() {
    static std::atomic<std::uint64_t> sequence{0};
    thread_local std::mt19937_64 random{std::random_device{}()};
    const std::uint64_t high = random();
    const std::uint64_t low = random() ^ sequence.fetch_add(1);
    char text[37];
    std::snprintf(text, sizeof text, "%08x-%04x-4%03x-%04x-%012llx", static_cast<unsigned>(high >> 32),
                  static_cast<unsigned>((high >> 16) & 0xffff), static_cast<unsigned>(high & 0xfff),
                  static_cast<unsigned>(0x8000 | ((low >> 48) & 0x3fff)),
                  static_cast<unsigned long long>(low & 0xffffffffffffULL));
    return text;
}
}  // namespace

UnifiedBusinessObjectImpl::UnifiedBusinessObjectImpl(std::shared_ptr<UnifiedFactory> factory, std::string typeName, bool)
    : m_factory(std::move(factory)),
      m_typeName(std::move(typeName)),
      m_guid(newGuid()),
      m_dispatcher(m_factory ? m_factory->getServicesDispatcher() : nullptr),
      m_creatorThread(std::this_thread::get_id()) {}

UnifiedBusinessObjectImpl::~UnifiedBusinessObjectImpl() = default;

void UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver> observer) {
    olvar::MutexGuard guard(m_observerMutex);
    m_observers.push_back(std::move(observer));
}

void UnifiedBusinessObjectImpl::removeObserver(std::weak_ptr<UnifiedBusinessObjectObserver> observer) {
    olvar::MutexGuard guard(m_observerMutex);
    auto same = [&](const std::weak_ptr<UnifiedBusinessObjectObserver>& entry) {
        return !entry.owner_before(observer) && !observer.owner_before(entry);
    };
    m_observers.erase(std::remove_if(m_observers.begin(), m_observers.end(), same), m_observers.end());
}

std::shared_ptr<UnifiedBusinessObjectNotifiers> UnifiedBusinessObjectImpl::getUnifiedBusinessObjectNotifiers() {
    createNotifiers();
    return m_notifiers;
}

std::string UnifiedBusinessObjectImpl::getGuid() { return m_guid; }

std::string UnifiedBusinessObjectImpl::toString() { return m_typeName + " " + m_guid; }

bool UnifiedBusinessObjectImpl::EnsureUpdateAccess(bool reportViolation, const char* operation) {
    if (!m_dispatcher) return true;  // not managed by a host: nothing to enforce
    if (m_dispatcher->checkForUpdateAccess()) return true;
    if (!m_committed.load(std::memory_order_acquire) && std::this_thread::get_id() == m_creatorThread) return true;
    if (reportViolation) UpdateAccess::reportViolation(m_typeName, operation);
    return false;
}

void UnifiedBusinessObjectImpl::createNotifiers() {}

void UnifiedBusinessObjectImpl::commitToServicesDispatcher() { m_committed.store(true, std::memory_order_release); }

bool UnifiedBusinessObjectImpl::isCommitted() const { return m_committed.load(std::memory_order_acquire); }

void UnifiedBusinessObjectImpl::deliverInfoChanged() {
    notifyObservers<UnifiedBusinessObjectObserver>([](UnifiedBusinessObjectObserver& o) { o.OnInfoChanged(); });
}

std::size_t UnifiedBusinessObjectImpl::storedObserverCount() {
    olvar::MutexGuard guard(m_observerMutex);
    return m_observers.size();
}

}  // namespace OlvarUnified
