// Owns the four preferred-device lists and the lock of each; every read and change of a list goes through it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "module/MediaDeviceTypes.h"
#include "olvar/Mutex.h"

namespace OlvarUnified {

// Snapshot rule: nothing handed out is shared with what is stored. Readers get copies (a new
// vector of new records) taken under the type's lock; writers change the stored list only
// under that lock, and whatever they store is copied in. So no reference to a list or a record
// outlives the lock it was read under, whichever thread holds it.
//
// Lock order: the adapter's life-cycle lock, then at most one type lock, then the current-device
// selection's lock (MediaDeviceAdapter::setCurrentDeviceMutex) or the store's file lock. A type
// lock is never held while waiting for the services dispatcher (posting to it is fine). The
// locks are re-entrant, so code running under apply may read the same type again.
class PreferredDeviceLists {
public:
    using Records = std::vector<PreferredMediaDevicePtr>;
    using Match = std::function<bool(const PreferredMediaDeviceImpl&)>;
    // Changes one record; false when it left the record as it was.
    using RecordChange = std::function<bool(PreferredMediaDeviceImpl&)>;

    // The lock of a type; any value but ringer, microphone and camera means the speaker's.
    olvar::Mutex& mutex(MediaDeviceTypeEnum::MediaDeviceType type);

    // A copy of the type's list; null while the type has none.
    PreferredMediaDeviceList snapshot(MediaDeviceTypeEnum::MediaDeviceType type);
    bool hasList(MediaDeviceTypeEnum::MediaDeviceType type);
    // Stores a copy of the list; null leaves the type without one.
    void replace(MediaDeviceTypeEnum::MediaDeviceType type, const PreferredMediaDeviceList& list);
    // Runs change on the stored records under the type's lock; false, without calling it, while
    // the type has no list. change must not keep a pointer to the vector or a record.
    bool apply(MediaDeviceTypeEnum::MediaDeviceType type, const std::function<void(Records&)>& change);
    // Applies change to the first stored record that matches; a copy of the record as changed,
    // null when none matched or it did not change.
    PreferredMediaDevicePtr updateFirst(MediaDeviceTypeEnum::MediaDeviceType type, const Match& match,
                                        const RecordChange& change);
    PreferredMediaDevicePtr updateRecord(MediaDeviceTypeEnum::MediaDeviceType type, std::int32_t uniqueIdentifier,
                                         const RecordChange& change);
    // A copy of the first stored record that matches; null when none does.
    PreferredMediaDevicePtr findRecord(MediaDeviceTypeEnum::MediaDeviceType type, const Match& match);

    // The stored list pointer itself, for a caller that holds mutex(type) for as long as it
    // uses the reference or anything it points to.
    PreferredMediaDeviceList& storedList(MediaDeviceTypeEnum::MediaDeviceType type);

    // Deep copies; empty records are left out.
    static PreferredMediaDeviceList copyOf(const PreferredMediaDeviceList& list);
    static PreferredMediaDevicePtr copyOf(const PreferredMediaDevicePtr& record);

private:
    std::array<olvar::Mutex, 4> m_mutexes;
    std::array<PreferredMediaDeviceList, 4> m_lists;  // guarded by m_mutexes of the same slot
};

}  // namespace OlvarUnified
