// Recording from a microphone: 16-bit signed mono PCM at the rate the stream was opened with.
#pragma once

#include <cstddef>
#include <cstdint>

#include "velk/DeviceInfo.h"

namespace olvar::velk {

class OLVAR_API CaptureStream {
public:
    virtual ~CaptureStream() = default;
    // Blocks until count samples have been recorded into samples, at the pace of the
    // device; false when the device went away or the recording failed.
    virtual bool read(std::int16_t* samples, std::size_t count) = 0;
    virtual int sampleRate() const = 0;
};

}  // namespace olvar::velk
