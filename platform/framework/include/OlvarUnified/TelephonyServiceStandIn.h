// Stand-in for the host's telephony service: holds accessory handlers without keeping them
// alive and delivers button events to them on the services dispatcher thread.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "OlvarUnified/Telephony.h"
#include "olvar/CallRecorder.h"

namespace OlvarUnified {

class ServicesDispatcher;

class OLVAR_API TelephonyServiceStandIn : public TelephonyService {
public:
    using Event = std::function<void(AccessoriesEvents&)>;

    // Without a dispatcher (or once it is gone) nothing can be fired.
    explicit TelephonyServiceStandIn(std::weak_ptr<ServicesDispatcher> dispatcher = {});

    void registerAccessoriesEvents(std::shared_ptr<AccessoriesEvents> events) override;
    void unregisterAccessoriesEvents(const AccessoriesEvents* events) override;
    // Handlers registered and still alive.
    std::size_t registeredCount();

    // Posts the event to the services dispatcher, where it reaches every handler that is
    // registered and alive when it runs. False when there is no dispatcher.
    bool fire(Event event, const std::string& description);
    // A button event by its name (AccessoryEventNames); false for an unknown name, an
    // argument the event does not take, or no dispatcher.
    bool fireByName(const std::string& name, const std::string& hardwareId, const std::string& argument = {});

    olvar::CallRecorder& calls() { return m_calls; }

private:
    class Registry;  // shared with queued events, which may outlive the stand-in

    std::weak_ptr<ServicesDispatcher> m_dispatcher;
    std::shared_ptr<Registry> m_registry;
    olvar::CallRecorder m_calls;
};

}  // namespace OlvarUnified
