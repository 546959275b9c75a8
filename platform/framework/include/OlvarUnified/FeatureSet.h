// Feature sets and the adapter interface the host drives them through.
#pragma once

#include <memory>
#include <vector>

#include "OlvarUnified/Api.h"

namespace OlvarUnified {

class OLVAR_API ServiceEvent {
public:
    virtual ~ServiceEvent() = default;
};
using ServiceEventList = std::shared_ptr<std::vector<std::shared_ptr<ServiceEvent>>>;

class OLVAR_API FeatureSet {
public:
    virtual ~FeatureSet() = default;
};

class OLVAR_API FeatureSetAdapter {
public:
    virtual ~FeatureSetAdapter() = default;
    virtual void StartFeatureSet(unsigned int featureSetType, ServiceEventList events) = 0;
    virtual void StopFeatureSet(unsigned int featureSetType, ServiceEventList events) = 0;
    virtual void Destroy() = 0;
    virtual bool IsFeatureSetStarted(unsigned int featureSetType) = 0;
    virtual bool IsFeatureSetProvisioned(unsigned int featureSetType) = 0;
    virtual std::vector<unsigned int> GetFeatureSetDependencies(unsigned int featureSetType) = 0;
};

}  // namespace OlvarUnified
