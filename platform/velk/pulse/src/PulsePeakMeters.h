// Input peak meters: one peak-detect record stream per initialised microphone, its
// latest reading kept for getPeakLevel. Meters survive a lost server: they are opened
// again when it is back.
#pragma once

#include <pulse/pulseaudio.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>

#include "PulseConnection.h"

namespace olvar::velk {

class PulsePeakMeters {
public:
    explicit PulsePeakMeters(PulseConnection& connection);
    ~PulsePeakMeters() { closeAll(); }

    void closeAll();

    bool initialize(const std::string& source);  // false when the stream cannot be opened
    void uninitialize(const std::string& source);
    float level(const std::string& source) const;  // 0 when not initialised
    bool waitForReadings(const std::string& source, int count, std::chrono::milliseconds timeout) const;

    // Main loop thread, from the connection's listener.
    void reopenAll(pa_context* context);
    void forgetStreams();

private:
    struct Meter {
        pa_stream* stream = nullptr;  // main loop lock
        float level = 0;              // m_mutex, like the rest
        long readings = 0;
    };
    struct Callback {
        PulsePeakMeters* meters;
        std::string source;
    };

    pa_stream* open(pa_context* context, const std::string& source);  // main loop lock held
    static void close(pa_stream* stream);                             // main loop lock held
    static void onRead(pa_stream* stream, size_t bytes, void* callback);
    void store(const std::string& source, float level);

    PulseConnection& m_connection;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_read;
    std::map<std::string, Meter> m_meters;
    // Callback data lives as long as the meters object: streams may still deliver a read
    // that was queued before they were closed.
    std::map<std::string, std::unique_ptr<Callback>> m_callbacks;
};

}  // namespace olvar::velk
