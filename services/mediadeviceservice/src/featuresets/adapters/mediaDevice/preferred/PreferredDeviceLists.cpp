#include "featuresets/adapters/mediaDevice/preferred/PreferredDeviceLists.h"

#include <algorithm>

#include "module/DeviceTypeTable.h"

namespace OlvarUnified {

using MediaDeviceTypeEnum::MediaDeviceType;

olvar::Mutex& PreferredDeviceLists::mutex(MediaDeviceType type) { return m_mutexes[DeviceTypeTable::listSlot(type)]; }

PreferredMediaDeviceList& PreferredDeviceLists::storedList(MediaDeviceType type) { return m_lists[DeviceTypeTable::listSlot(type)]; }

PreferredMediaDeviceList PreferredDeviceLists::snapshot(MediaDeviceType type) {
    olvar::MutexGuard guard(mutex(type));
    return copyOf(storedList(type));
}

bool PreferredDeviceLists::hasList(MediaDeviceType type) {
    olvar::MutexGuard guard(mutex(type));
    return storedList(type) != nullptr;
}

void PreferredDeviceLists::replace(MediaDeviceType type, const PreferredMediaDeviceList& list) {
    // Copied before the lock: the caller's list is its own until then.
    PreferredMediaDeviceList copy = copyOf(list);
    olvar::MutexGuard guard(mutex(type));
    storedList(type) = std::move(copy);
}

bool PreferredDeviceLists::apply(MediaDeviceType type, const std::function<void(Records&)>& change) {
    olvar::MutexGuard guard(mutex(type));
    // Held by value: a change that reads the type again must not see the pointer swapped
    // from under it.
    PreferredMediaDeviceList list = storedList(type);
    if (!list) return false;
    change(*list);
    return true;
}

PreferredMediaDevicePtr PreferredDeviceLists::updateFirst(MediaDeviceType type, const Match& match,
                                                          const RecordChange& change) {
    olvar::MutexGuard guard(mutex(type));
    const PreferredMediaDeviceList& list = storedList(type);
    if (!list) return nullptr;
    auto found = std::find_if(list->begin(), list->end(), [&](const auto& record) { return record && match(*record); });
    if (found == list->end() || !change(**found)) return nullptr;
    return copyOf(*found);
}

PreferredMediaDevicePtr PreferredDeviceLists::updateRecord(MediaDeviceType type, std::int32_t uniqueIdentifier,
                                                           const RecordChange& change) {
    return updateFirst(
        type, [uniqueIdentifier](const PreferredMediaDeviceImpl& record) { return record.uniqueIdentifier == uniqueIdentifier; },
        change);
}

PreferredMediaDevicePtr PreferredDeviceLists::findRecord(MediaDeviceType type, const Match& match) {
    return updateFirst(type, match, [](PreferredMediaDeviceImpl&) { return true; });
}

PreferredMediaDeviceList PreferredDeviceLists::copyOf(const PreferredMediaDeviceList& list) {
    if (!list) return nullptr;
    auto copy = std::make_shared<Records>();
    copy->reserve(list->size());
    for (const auto& record : *list)
        if (record) copy->push_back(copyOf(record));
    return copy;
}

PreferredMediaDevicePtr PreferredDeviceLists::copyOf(const PreferredMediaDevicePtr& record) {
    // The copy keeps the identifier: it is the same item as the stored record.
    return record ? std::make_shared<PreferredMediaDeviceImpl>(*record) : nullptr;
}

}  // namespace OlvarUnified
