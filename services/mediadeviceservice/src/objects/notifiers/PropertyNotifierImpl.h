// Notifier of a scalar property: calls every attached callback when the property changes.
#pragma once

#include <functional>
#include <memory>

#include "OlvarUnified/PropertyNotifier.h"
#include "module/Export.h"
#include "objects/notifiers/PropertyNotifierConnectionImpl.h"

namespace OlvarUnified {

class MDS_EXPORT PropertyNotifierImpl : public virtual PropertyNotifier,
                                        public std::enable_shared_from_this<PropertyNotifierImpl> {
public:
    using Connection = PropertyNotifierConnectionImpl<std::function<void()>, PropertyNotifierImpl>;

    PropertyNotifierImpl();
    // Copies share the connection list of their source, so they fire the same callbacks.
    PropertyNotifierImpl(const PropertyNotifierImpl& other);
    PropertyNotifierImpl& operator=(const PropertyNotifierImpl& other);
    PropertyNotifierImpl& operator=(PropertyNotifierImpl&& other);
    ~PropertyNotifierImpl() override;

    std::weak_ptr<PropertyNotifierConnection> connect(std::function<void()> callback) override;
    // Calls each callback connected when the fire starts and still connected when reached.
    // A throwing callback ends the fire; an empty one throws std::bad_function_call.
    void fire();
    bool isEmpty() const;

private:
    std::shared_ptr<Connection::List> m_connections;
};

extern template class PropertyNotifierConnectionImpl<std::function<void()>, PropertyNotifierImpl>;

}  // namespace OlvarUnified
