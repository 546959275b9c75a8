// Notifier of a list property: callbacks get a reset flag and two item lists.
#pragma once

#include <memory>

#include "OlvarUnified/PropertyNotifier.h"
#include "module/Export.h"
#include "module/MediaDeviceTypes.h"
#include "objects/notifiers/PropertyNotifierConnectionImpl.h"

namespace OlvarUnified {

template <class Item>
class MDS_EXPORT PropertyListNotifierImpl : public virtual PropertyListNotifier<Item>,
                                            public std::enable_shared_from_this<PropertyListNotifierImpl<Item>> {
public:
    using ItemList = typename PropertyListNotifier<Item>::ItemList;
    using Callback = typename PropertyListNotifier<Item>::Callback;
    using Connection = PropertyNotifierConnectionImpl<Callback, PropertyListNotifierImpl>;

    PropertyListNotifierImpl();
    // Copies share the connection list of their source, so they fire the same callbacks.
    PropertyListNotifierImpl(const PropertyListNotifierImpl& other);
    PropertyListNotifierImpl& operator=(const PropertyListNotifierImpl& other);
    PropertyListNotifierImpl& operator=(PropertyListNotifierImpl&& other);
    ~PropertyListNotifierImpl() override;

    std::weak_ptr<PropertyNotifierConnection> connect(Callback callback) override;
    // Delivers (false, first, second): the same two lists to every callback.
    void fire(ItemList first, ItemList second);
    // Delivers (true, empty, empty): the whole list must be read again.
    void fireReset();
    bool isEmpty() const;

private:
    std::shared_ptr<typename Connection::List> m_connections;
};

extern template class PropertyListNotifierImpl<MediaDevice>;
extern template class PropertyNotifierConnectionImpl<PropertyListNotifier<MediaDevice>::Callback,
                                                     PropertyListNotifierImpl<MediaDevice>>;

}  // namespace OlvarUnified
