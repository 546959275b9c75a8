// Putting a device in use on the telephony side, and remembering the hardware id and name of
// the device in use per type, so that the accessories side learns which headset serves both
// directions.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "featuresets/adapters/mediaDevice/core/AdapterSettings.h"
#include "module/MediaDeviceTypes.h"
#include "olvar/Mutex.h"

namespace OlvarUnified {

class UnifiedFactory;

class CurrentDeviceSelection {
public:
    using Type = MediaDeviceTypeEnum::MediaDeviceType;
    // Per type: the hardware id, then the friendly name of the device in use.
    using Identities = std::map<Type, std::vector<std::wstring>>;

    // identities and its lock are not owned and outlive the selection; the lock is taken
    // inside a type's list lock, never the other way round.
    CurrentDeviceSelection(std::shared_ptr<UnifiedFactory> factory, const AdapterSettings& settings,
                           olvar::Mutex& identitiesLock, Identities& identities);

    // Asks the telephony side to use the device; whether it accepted.
    bool switchDeviceInUse(Type type, const PreferredMediaDevicePtr& record);
    // Remembers the device as the type's current one and tells the accessories side.
    void setCurrentDevice(Type type, const PreferredMediaDevicePtr& record);
    // The telephony side's device in use; empty when it has none or there is no telephony.
    std::string getCurrentSelectionId(Type type) const;
    // A copy of the type's hardware id and name; empty for a type never listed.
    std::vector<std::wstring> currentIdentity(Type type) const;

    // The device kind as the accessories side numbers it; 0 for a type it does not know.
    static int accessoryKind(Type type);

private:
    std::shared_ptr<UnifiedFactory> m_factory;
    const AdapterSettings& m_settings;
    olvar::Mutex& m_identitiesLock;
    Identities& m_identities;  // guarded by m_identitiesLock
};

}  // namespace OlvarUnified
