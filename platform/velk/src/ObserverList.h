// Registered observers with delivery that removal can wait for.
//
// Callbacks run without the list's lock. remove() returns only when no callback to that
// observer is running on another thread, so the caller may delete the observer at once;
// a callback that removes its own observer (or another one) does not wait for itself.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace olvar::velk {

template <class Observer>
class ObserverList {
public:
    // Null and already registered observers are ignored; returns whether it was added.
    bool add(Observer* observer) {
        if (observer == nullptr) return false;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (contains(observer)) return false;
        m_observers.push_back(observer);
        return true;
    }

    // Returns whether the observer was registered.
    bool remove(Observer* observer) {
        std::unique_lock<std::mutex> lock(m_mutex);
        const auto it = std::find(m_observers.begin(), m_observers.end(), observer);
        const bool found = it != m_observers.end();
        if (found) m_observers.erase(it);
        m_idle.wait(lock, [&] { return !inFlightElsewhere(observer); });
        return found;
    }

    std::size_t size() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_observers.size();
    }

    // Calls callback(observer) for each observer registered now and still registered
    // when its turn comes, in registration order.
    template <class Callback>
    void forEach(Callback&& callback) {
        std::vector<Observer*> snapshot;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            snapshot = m_observers;
        }
        for (Observer* observer : snapshot) {
            if (!markInFlight(observer)) continue;
            const DeliveryScope scope(*this, observer);  // cleared even if the callback throws
            callback(observer);
        }
    }

private:
    using Delivery = std::pair<Observer*, std::thread::id>;

    struct DeliveryScope {
        ObserverList& list;
        Observer* observer;
        DeliveryScope(ObserverList& l, Observer* o) : list(l), observer(o) {}
        ~DeliveryScope() { list.clearInFlight(observer); }
        DeliveryScope(const DeliveryScope&) = delete;
        DeliveryScope& operator=(const DeliveryScope&) = delete;
    };

    bool contains(Observer* observer) const {
        return std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end();
    }

    bool inFlightElsewhere(Observer* observer) const {
        const auto self = std::this_thread::get_id();
        return std::any_of(m_inFlight.begin(), m_inFlight.end(),
                           [&](const Delivery& d) { return d.first == observer && d.second != self; });
    }

    bool markInFlight(Observer* observer) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!contains(observer)) return false;
        m_inFlight.emplace_back(observer, std::this_thread::get_id());
        return true;
    }

    void clearInFlight(Observer* observer) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            const auto it = std::find(m_inFlight.begin(), m_inFlight.end(),
                                      Delivery(observer, std::this_thread::get_id()));
            if (it != m_inFlight.end()) m_inFlight.erase(it);
        }
        m_idle.notify_all();
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_idle;
    std::vector<Observer*> m_observers;
    std::vector<Delivery> m_inFlight;
};

}  // namespace olvar::velk
