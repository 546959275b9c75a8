#include "OlvarUnified/TelephonyServiceStandIn.h"

#include <mutex>

#include "OlvarUnified/AccessoryEventNames.h"
#include "OlvarUnified/ServicesDispatcher.h"
#include "OlvarUnified/Task.h"

namespace OlvarUnified {

class TelephonyServiceStandIn::Registry {
public:
    void add(const std::shared_ptr<AccessoriesEvents>& events) {
        std::lock_guard<std::mutex> lock(m_mutex);
        // Expired entries go, and so does an old entry whose address a new handler reuses.
        std::erase_if(m_entries, [&](const Entry& e) { return e.handler.expired() || e.identity == events.get(); });
        m_entries.push_back({events.get(), events});
    }
    void remove(const AccessoriesEvents* events) {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::erase_if(m_entries, [&](const Entry& e) { return e.identity == events; });
    }
    std::vector<std::shared_ptr<AccessoriesEvents>> live() {
        std::vector<std::shared_ptr<AccessoriesEvents>> handlers;
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& entry : m_entries)
            if (auto handler = entry.handler.lock()) handlers.push_back(std::move(handler));
        return handlers;
    }

private:
    struct Entry {
        const AccessoriesEvents* identity;
        std::weak_ptr<AccessoriesEvents> handler;
    };
    std::mutex m_mutex;
    std::vector<Entry> m_entries;
};

TelephonyServiceStandIn::TelephonyServiceStandIn(std::weak_ptr<ServicesDispatcher> dispatcher)
    : m_dispatcher(std::move(dispatcher)), m_registry(std::make_shared<Registry>()) {}

void TelephonyServiceStandIn::registerAccessoriesEvents(std::shared_ptr<AccessoriesEvents> events) {
    m_calls.record("registerAccessoriesEvents");
    if (events) m_registry->add(events);
}

void TelephonyServiceStandIn::unregisterAccessoriesEvents(const AccessoriesEvents* events) {
    m_calls.record("unregisterAccessoriesEvents");
    m_registry->remove(events);
}

std::size_t TelephonyServiceStandIn::registeredCount() { return m_registry->live().size(); }

bool TelephonyServiceStandIn::fire(Event event, const std::string& description) {
    auto dispatcher = m_dispatcher.lock();
    if (!dispatcher || !event) return false;
    m_calls.record("fire " + description);
    // Handlers are looked up when the task runs, so one that went away meanwhile is not
    // called; none is called with the registry's lock held.
    dispatcher->enqueue(std::make_shared<FunctionTask>(
                            [registry = m_registry, event = std::move(event)] {
                                for (const auto& handler : registry->live()) event(*handler);
                            },
                            "TelephonyServiceStandIn::" + description),
                        false, true);
    return true;
}

bool TelephonyServiceStandIn::fireByName(const std::string& name, const std::string& hardwareId,
                                         const std::string& argument) {
    if (!AccessoryEventNames::accepts(name, argument)) return false;
    return fire([name, hardwareId, argument](
                    AccessoriesEvents& events) { AccessoryEventNames::deliver(events, name, hardwareId, argument); },
                name + " " + hardwareId);
}

}  // namespace OlvarUnified
