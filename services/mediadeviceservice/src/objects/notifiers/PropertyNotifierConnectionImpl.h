// One callback attached to a notifier. The notifier's connection list owns it; the
// subscriber keeps only a weak handle, through which it can disconnect.
#pragma once

#include <memory>

#include "OlvarUnified/PropertyNotifier.h"
#include "module/Export.h"
#include "objects/notifiers/ConnectionList.h"

namespace OlvarUnified {

// Notifier names the notifier type that owns connections of this kind.
template <class Fxn, class Notifier>
class MDS_EXPORT PropertyNotifierConnectionImpl final
    : public PropertyNotifierConnection,
      public std::enable_shared_from_this<PropertyNotifierConnectionImpl<Fxn, Notifier>> {
public:
    using List = ConnectionList<PropertyNotifierConnectionImpl>;

    PropertyNotifierConnectionImpl(Fxn callback, std::weak_ptr<List> list)
        : m_callback(std::move(callback)), m_list(std::move(list)) {}

    // Appends this connection to the list, if the list still exists.
    void connect() {
        if (auto list = m_list.lock()) {
            list->append(this->shared_from_this());
            m_connected = true;
        }
    }

    void disconnect() override {
        // The list may hold the last strong reference: stay alive until done.
        auto self = this->shared_from_this();
        if (auto list = m_list.lock()) {
            if (!list->empty()) list->removeFirst(this);
        }
        m_connected = false;
    }

    bool connected() override { return m_connected; }

    // A copy: calling it never changes the stored callback.
    Fxn getFxn() const { return m_callback; }

private:
    Fxn m_callback;
    std::weak_ptr<List> m_list;
    bool m_connected = false;
};

}  // namespace OlvarUnified
