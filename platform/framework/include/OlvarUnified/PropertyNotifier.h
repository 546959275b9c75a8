// Per-property change notifiers of the business objects.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "OlvarUnified/Api.h"

namespace OlvarUnified {

class OLVAR_API PropertyNotifierConnection {
public:
    virtual ~PropertyNotifierConnection() = default;
    virtual void disconnect() = 0;
    virtual bool connected() = 0;
};

class OLVAR_API PropertyNotifier {
public:
    virtual std::weak_ptr<PropertyNotifierConnection> connect(std::function<void()> callback) = 0;
    virtual ~PropertyNotifier() = default;
};

template <class Item>
class OLVAR_API PropertyListNotifier {
public:
    using ItemList = std::shared_ptr<std::vector<std::shared_ptr<Item>>>;
    using Callback = std::function<void(bool reset, ItemList first, ItemList second)>;
    virtual std::weak_ptr<PropertyNotifierConnection> connect(Callback callback) = 0;
    virtual ~PropertyListNotifier() = default;
};

}  // namespace OlvarUnified
