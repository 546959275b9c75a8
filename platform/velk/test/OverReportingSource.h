// Test support: a source that breaks its contract, for the players of either backend.
#pragma once

#include <cstring>

#include "velk/DeviceManager.h"

namespace olvar::test {

// Claims more bytes than it was asked for once, then runs dry.
class OverReportingSource : public ::olvar::velk::Source {
public:
    int read(void* buffer, int size) override {
        if (asked != 0) return 0;
        asked = size;
        std::memset(buffer, 1, static_cast<std::size_t>(size));
        return size + 100;
    }
    int asked = 0;  // the size of the one read answered
};

}  // namespace olvar::test
