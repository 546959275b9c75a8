// Definitions shared by the generated business objects, expanded once per object and once
// per row of its property table. For the objects' .cpp files only.
//
// Every object <Object> consists of the interface <Object>, <Object>Observer,
// <Object>Notifiers, the stored properties in <Object>BaseImpl and the notifier set
// <Object>NotifiersImpl.
#pragma once

#include <memory>
#include <string>
#include <utility>

// Observer registration of <Object>BaseImpl and its notifier set, which is built once and
// registered as an observer of the object itself so that every fire reaches it.
#define MDS_DEFINE_OBJECT_OBSERVERS(Object)                                                               \
    void Object##BaseImpl::addObserver(std::weak_ptr<Object##Observer> observer) {                         \
        UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer));   \
    }                                                                                                     \
    void Object##BaseImpl::removeObserver(std::weak_ptr<Object##Observer> observer) {                      \
        UnifiedBusinessObjectImpl::removeObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(observer)); \
    }                                                                                                     \
    std::shared_ptr<Object##Notifiers> Object##BaseImpl::get##Object##Notifiers() {                        \
        createNotifiers();                                                                                \
        return std::dynamic_pointer_cast<Object##Notifiers>(getNotifiers());                              \
    }                                                                                                     \
    void Object##BaseImpl::createNotifiers() {                                                            \
        if (getNotifiers()) return;                                                                       \
        auto notifiers = std::make_shared<Object##NotifiersImpl>();                                       \
        setNotifiers(notifiers);                                                                          \
        UnifiedBusinessObjectImpl::addObserver(std::weak_ptr<UnifiedBusinessObjectObserver>(notifiers));  \
    }

// Getter and setter of a stored property: both check update access; the setter stores
// without comparing and without notifying.
#define MDS_DEFINE_ACCESSORS(Class, Name, Type) \
    Type Class::get##Name() {                   \
        EnsureUpdateAccess(true);               \
        return m_##Name;                        \
    }                                           \
    void Class::set##Name(Type value) {         \
        EnsureUpdateAccess(true);               \
        m_##Name = std::move(value);            \
    }

// The owner's explicit notification of a property: On<Name>Changed() on every live Observer.
#define MDS_DEFINE_FIRE(Class, Observer, Name)                                              \
    void Class::fireOn##Name##Changed() {                                                   \
        EnsureUpdateAccess(true);                                                           \
        notifyObservers<Observer>([](Observer& observer) { observer.On##Name##Changed(); }); \
    }

// As MDS_DEFINE_FIRE for a list property: every observer gets the same two lists.
#define MDS_DEFINE_LIST_FIRE(Class, Observer, Name)                                                              \
    void Class::fireOn##Name##Changed(DeviceList first, DeviceList second) {                                     \
        EnsureUpdateAccess(true);                                                                                \
        notifyObservers<Observer>([&](Observer& observer) { observer.On##Name##Changed(first, second); });        \
    }

// One table row of <Object>BaseImpl.
#define MDS_DEFINE_PROPERTY(Object, Name, Type)               \
    MDS_DEFINE_ACCESSORS(Object##BaseImpl, Name, Type)        \
    MDS_DEFINE_FIRE(Object##BaseImpl, Object##Observer, Name)
#define MDS_DEFINE_LIST_PROPERTY(Object, Name)                    \
    MDS_DEFINE_ACCESSORS(Object##BaseImpl, Name, DeviceList)      \
    MDS_DEFINE_LIST_FIRE(Object##BaseImpl, Object##Observer, Name)

// One table row of <Object>NotifiersImpl: the lazily created notifier and the observer call
// that fires it.
#define MDS_DEFINE_NOTIFIER(Object, Name)                                                     \
    std::shared_ptr<PropertyNotifier> Object##NotifiersImpl::get##Name##Notifier() {          \
        return m_##Name##Notifier.get();                                                      \
    }                                                                                         \
    void Object##NotifiersImpl::On##Name##Changed() { m_##Name##Notifier.fireIfCreated(); }
#define MDS_DEFINE_LIST_NOTIFIER(Object, Name)                                                        \
    std::shared_ptr<PropertyListNotifier<MediaDevice>> Object##NotifiersImpl::get##Name##Notifier() { \
        return m_##Name##Notifier.get();                                                              \
    }                                                                                                 \
    void Object##NotifiersImpl::On##Name##Changed(DeviceList first, DeviceList second) {              \
        m_##Name##Notifier.fireIfCreated(std::move(first), std::move(second));                        \
    }
