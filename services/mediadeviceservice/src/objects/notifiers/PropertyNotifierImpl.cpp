#include "objects/notifiers/PropertyNotifierImpl.h"

namespace OlvarUnified {

template class PropertyNotifierConnectionImpl<std::function<void()>, PropertyNotifierImpl>;

PropertyNotifierImpl::PropertyNotifierImpl() : m_connections(std::make_shared<Connection::List>()) {}

PropertyNotifierImpl::PropertyNotifierImpl(const PropertyNotifierImpl& other)
    : PropertyNotifier(other), std::enable_shared_from_this<PropertyNotifierImpl>(other),
      m_connections(other.m_connections) {}

PropertyNotifierImpl& PropertyNotifierImpl::operator=(const PropertyNotifierImpl& other) {
    m_connections = other.m_connections;
    return *this;
}

PropertyNotifierImpl& PropertyNotifierImpl::operator=(PropertyNotifierImpl&& other) {
    m_connections = other.m_connections;  // the source keeps firing the same list
    return *this;
}

PropertyNotifierImpl::~PropertyNotifierImpl() = default;

std::weak_ptr<PropertyNotifierConnection> PropertyNotifierImpl::connect(std::function<void()> callback) {
    auto connection = std::make_shared<Connection>(std::move(callback), m_connections);
    connection->connect();
    return connection;
}

void PropertyNotifierImpl::fire() { Connection::List::fire(m_connections->snapshot()); }

bool PropertyNotifierImpl::isEmpty() const { return m_connections->empty(); }

}  // namespace OlvarUnified
