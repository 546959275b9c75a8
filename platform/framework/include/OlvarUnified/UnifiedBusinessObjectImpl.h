// Host base of the business objects: guid, observer list, update access, commit.
//
// Update access: an object belongs to the thread that created it until it is committed to
// the services dispatcher; from then on only the dispatcher thread may read or change it.
// The dispatcher thread itself always has access (it owns every committed object and the
// objects it creates). A violation is logged and counted, never thrown.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "OlvarUnified/UnifiedBusinessObject.h"
#include "olvar/Mutex.h"

namespace OlvarUnified {

class UnifiedFactory;
class ServicesDispatcher;

class OLVAR_API UnifiedBusinessObjectImpl : public virtual UnifiedBusinessObject {
public:
    UnifiedBusinessObjectImpl(std::shared_ptr<UnifiedFactory> factory, std::string typeName, bool isCollection = false);
    ~UnifiedBusinessObjectImpl() override;

    void addObserver(std::weak_ptr<UnifiedBusinessObjectObserver> observer) override;
    void removeObserver(std::weak_ptr<UnifiedBusinessObjectObserver> observer) override;
    std::shared_ptr<UnifiedBusinessObjectNotifiers> getUnifiedBusinessObjectNotifiers() override;
    std::string getGuid() override;
    std::string toString() override;

    // Returns whether the calling thread may touch the object; reports a violation when it
    // may not. The operation defaults to the caller's function name.
    bool EnsureUpdateAccess(bool reportViolation, const char* operation = __builtin_FUNCTION());

    // Hook that builds the object's notifier set (see setNotifiers).
    virtual void createNotifiers();
    // Hands the object to the services dispatcher: from now on only that thread has access.
    virtual void commitToServicesDispatcher();

    bool isCommitted() const;
    const std::string& getTypeName() const { return m_typeName; }
    std::shared_ptr<UnifiedFactory> getFactory() const { return m_factory; }

    // The host's delivery of a whole-object refresh: OnInfoChanged on every live observer.
    void deliverInfoChanged();

protected:
    void setNotifiers(std::shared_ptr<UnifiedBusinessObjectNotifiers> notifiers) { m_notifiers = std::move(notifiers); }
    const std::shared_ptr<UnifiedBusinessObjectNotifiers>& getNotifiers() const { return m_notifiers; }

    // Calls call(observer) on each live observer that is an ObserverInterface, in list order.
    // The live ones are collected under the observer mutex; expired entries are purged by
    // swapping them with the last unchecked entry (so stored order may change). The mutex is
    // released before any observer runs, so observers may add or remove observers.
    template <class ObserverInterface, class Call>
    void notifyObservers(Call&& call) {
        std::vector<std::shared_ptr<ObserverInterface>> live;
        {
            olvar::MutexGuard guard(m_observerMutex);
            live.reserve(m_observers.size());
            // Expired observers are dropped in place so the rest keep their registration order.
            auto kept = m_observers.begin();
            for (auto it = m_observers.begin(); it != m_observers.end(); ++it) {
                auto strong = it->lock();
                if (!strong) continue;
                if (auto typed = std::dynamic_pointer_cast<ObserverInterface>(strong)) live.push_back(std::move(typed));
                if (kept != it) *kept = std::move(*it);
                ++kept;
            }
            m_observers.erase(kept, m_observers.end());
        }
        for (auto& observer : live) call(*observer);
    }

    std::size_t storedObserverCount();

private:
    std::shared_ptr<UnifiedFactory> m_factory;
    std::string m_typeName;
    std::string m_guid;
    std::shared_ptr<ServicesDispatcher> m_dispatcher;
    std::thread::id m_creatorThread;
    std::atomic<bool> m_committed{false};
    olvar::Mutex m_observerMutex;
    std::vector<std::weak_ptr<UnifiedBusinessObjectObserver>> m_observers;
    std::shared_ptr<UnifiedBusinessObjectNotifiers> m_notifiers;
};

}  // namespace OlvarUnified
