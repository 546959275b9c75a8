// One notifier of a notifier set: created on its first request and kept from then on;
// fires do nothing until it exists.
#pragma once

#include <memory>
#include <utility>

#include "module/Export.h"

namespace OlvarUnified {

template <class Notifier>
class MDS_EXPORT LazyNotifier {
public:
    const std::shared_ptr<Notifier>& get() {
        if (!m_notifier) m_notifier = std::make_shared<Notifier>();
        return m_notifier;
    }

    bool isCreated() const { return m_notifier != nullptr; }

    // The local reference keeps the notifier alive should a callback drop the set.
    template <class... Lists>
    void fireIfCreated(Lists&&... lists) {
        if (auto notifier = m_notifier) notifier->fire(std::forward<Lists>(lists)...);
    }

    void fireResetIfCreated() {
        if (auto notifier = m_notifier) notifier->fireReset();
    }

private:
    std::shared_ptr<Notifier> m_notifier;
};

}  // namespace OlvarUnified
