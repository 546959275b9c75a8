// Test observers of the generated objects: each change call is recorded by property name,
// list calls also with the two lists they carried. Built from the property tables, so they
// follow every table change.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "objects/compositeMediaDevice/CompositeMediaDevice.h"
#include "objects/localVideoPreviewDimensions/LocalVideoPreviewDimensions.h"
#include "objects/mediaDevice/MediaDevice.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace olvar::test {

using namespace ::OlvarUnified;

struct CallLog {
    std::vector<std::string> calls;
    std::vector<std::pair<DeviceList, DeviceList>> lists;

    void record(const char* call) { calls.emplace_back(call); }
    void record(const char* call, DeviceList first, DeviceList second) {
        calls.emplace_back(call);
        lists.emplace_back(std::move(first), std::move(second));
    }
};

#define MDS_RECORDING_BASE_CALLS                         \
    void OnInfoChanged() override { log.record("Info"); } \
    void OnGuidChanged() override { log.record("Guid"); }
#define MDS_RECORD_PROPERTY(Name, Type) \
    void On##Name##Changed() override { log.record(#Name); }
#define MDS_RECORD_LIST_PROPERTY(Name)                                \
    void On##Name##Changed(DeviceList first, DeviceList second) override { \
        log.record(#Name, std::move(first), std::move(second));       \
    }

class RecordingMediaDeviceObserver : public MediaDeviceObserver {
public:
    CallLog log;
    MDS_RECORDING_BASE_CALLS
#define MDS_PROPERTY MDS_RECORD_PROPERTY
#include "objects/mediaDevice/MediaDeviceProperties.def"
};

class RecordingCompositeMediaDeviceObserver : public CompositeMediaDeviceObserver {
public:
    CallLog log;
    MDS_RECORDING_BASE_CALLS
#define MDS_PROPERTY MDS_RECORD_PROPERTY
#define MDS_LIST_PROPERTY MDS_RECORD_LIST_PROPERTY
#include "objects/compositeMediaDevice/CompositeMediaDeviceProperties.def"
};

class RecordingLocalVideoPreviewDimensionsObserver : public LocalVideoPreviewDimensionsObserver {
public:
    CallLog log;
    MDS_RECORDING_BASE_CALLS
#define MDS_PROPERTY MDS_RECORD_PROPERTY
#include "objects/localVideoPreviewDimensions/LocalVideoPreviewDimensionsProperties.def"
};

class RecordingMediaDeviceServiceObserver : public MediaDeviceServiceObserver {
public:
    CallLog log;
    MDS_RECORDING_BASE_CALLS
    void OnBulkUpdateInProgressChanged() override { log.record("BulkUpdateInProgress"); }
#define MDS_PROPERTY MDS_RECORD_PROPERTY
#define MDS_LIST_PROPERTY MDS_RECORD_LIST_PROPERTY
#include "objects/mediaDeviceService/MediaDeviceServiceProperties.def"
};

#undef MDS_RECORDING_BASE_CALLS
#undef MDS_RECORD_PROPERTY
#undef MDS_RECORD_LIST_PROPERTY

}  // namespace olvar::test
