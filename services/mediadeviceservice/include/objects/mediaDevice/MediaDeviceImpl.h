// A published device: the stored properties plus the identity of the adapter's record it
// was built from, and its text rendering.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "module/Export.h"
#include "objects/mediaDevice/generated/MediaDeviceBaseImpl.h"

namespace OlvarUnified {

class PreferredMediaDeviceImpl;
class UnifiedFactory;

class MDS_EXPORT MediaDeviceImpl : public MediaDeviceBaseImpl {
public:
    // An empty device of the service's own (identifier -1); stays with its creator until
    // handed over.
    explicit MediaDeviceImpl(std::shared_ptr<UnifiedFactory> factory);
    // A snapshot of the record, committed to the services dispatcher.
    MediaDeviceImpl(std::shared_ptr<UnifiedFactory> factory, const PreferredMediaDeviceImpl& record);
    ~MediaDeviceImpl() override;

    std::int32_t getUniqueIdentifier() override;
    std::wstring toWString() override;
    std::string toString() override;

private:
    std::int32_t m_uniqueIdentifier;
};

}  // namespace OlvarUnified
