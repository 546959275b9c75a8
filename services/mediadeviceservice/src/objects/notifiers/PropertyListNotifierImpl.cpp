#include "objects/notifiers/PropertyListNotifierImpl.h"

#include "objects/mediaDevice/MediaDevice.h"

namespace OlvarUnified {

template <class Item>
PropertyListNotifierImpl<Item>::PropertyListNotifierImpl()
    : m_connections(std::make_shared<typename Connection::List>()) {}

template <class Item>
PropertyListNotifierImpl<Item>::PropertyListNotifierImpl(const PropertyListNotifierImpl& other)
    : PropertyListNotifier<Item>(other), std::enable_shared_from_this<PropertyListNotifierImpl<Item>>(other),
      m_connections(other.m_connections) {}

template <class Item>
PropertyListNotifierImpl<Item>& PropertyListNotifierImpl<Item>::operator=(const PropertyListNotifierImpl& other) {
    m_connections = other.m_connections;
    return *this;
}

template <class Item>
PropertyListNotifierImpl<Item>& PropertyListNotifierImpl<Item>::operator=(PropertyListNotifierImpl&& other) {
    m_connections = other.m_connections;  // the source keeps firing the same list
    return *this;
}

template <class Item>
PropertyListNotifierImpl<Item>::~PropertyListNotifierImpl() = default;

template <class Item>
std::weak_ptr<PropertyNotifierConnection> PropertyListNotifierImpl<Item>::connect(Callback callback) {
    auto connection = std::make_shared<Connection>(std::move(callback), m_connections);
    connection->connect();
    return connection;
}

template <class Item>
void PropertyListNotifierImpl<Item>::fire(ItemList first, ItemList second) {
    Connection::List::fire(m_connections->snapshot(), false, first, second);
}

template <class Item>
void PropertyListNotifierImpl<Item>::fireReset() {
    Connection::List::fire(m_connections->snapshot(), true, ItemList(), ItemList());
}

template <class Item>
bool PropertyListNotifierImpl<Item>::isEmpty() const {
    return m_connections->empty();
}

template class PropertyNotifierConnectionImpl<PropertyListNotifier<MediaDevice>::Callback,
                                              PropertyListNotifierImpl<MediaDevice>>;
template class PropertyListNotifierImpl<MediaDevice>;

}  // namespace OlvarUnified
