// The connections of one notifier, shared by the notifier and its copies.
//
// A fire works on a snapshot of the entries. The entries are copied on write: a snapshot is
// one shared reference to the current vector, and connect or disconnect during a fire copies
// the vector before changing it. So the snapshot costs no per-connection reference counting,
// while every connection in it stays alive until the fire ends, and connections added during
// the fire are not part of it.
#pragma once

#include <memory>
#include <vector>

#include "module/Export.h"

namespace OlvarUnified {

template <class Connection>
class MDS_EXPORT ConnectionList {
public:
    using Entries = std::vector<std::shared_ptr<Connection>>;
    using Snapshot = std::shared_ptr<const Entries>;

    ConnectionList() : m_entries(std::make_shared<Entries>()) {}

    void append(std::shared_ptr<Connection> connection) { writableEntries().push_back(std::move(connection)); }

    // Removes the first entry that is this connection; later entries keep their order.
    void removeFirst(const Connection* connection) {
        for (std::size_t i = 0; i < m_entries->size(); ++i) {
            if ((*m_entries)[i].get() == connection) {
                Entries& entries = writableEntries();
                entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
                return;
            }
        }
    }

    bool empty() const { return m_entries->empty(); }
    std::size_t size() const { return m_entries->size(); }
    Snapshot snapshot() const { return m_entries; }

    // Calls a fresh copy of each connected callback of the snapshot with the arguments, front
    // to back. Works on the snapshot alone, so a callback may even destroy the notifier. The
    // copy keeps a callback that changes itself (a mutable lambda, a counting functor) the same
    // from fire to fire; for callables that fit std::function's local buffer it allocates nothing.
    template <class... Args>
    static void fire(const Snapshot& snapshot, const Args&... args) {
        for (const std::shared_ptr<Connection>& connection : *snapshot) {
            if (connection->connected()) connection->getFxn()(args...);
        }
    }

private:
    Entries& writableEntries() {
        // Shared with a running fire: leave its snapshot as it is.
        if (m_entries.use_count() > 1) m_entries = std::make_shared<Entries>(*m_entries);
        return *m_entries;
    }

    std::shared_ptr<Entries> m_entries;
};

}  // namespace OlvarUnified
