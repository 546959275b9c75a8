// One playback stream on a sink. A thread of its own ("velk-playout") pulls the source
// into a small buffer, so that the source (and whatever locks its owner takes) is never
// read on the main loop thread; the server's write callback takes what the buffer holds.
// The stream ends when the source has ended and the server has played everything, when
// stop() is called, or when the sink or the server goes away.
//
// Locks: the main loop lock before m_mutex; the feeding thread holds neither while it
// reads the source or reports the end.
#pragma once

#include <pulse/pulseaudio.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "PulseConnection.h"
#include "velk/DeviceManager.h"

namespace olvar::velk {

class PulsePlayoutStream : public PlayoutStream, public std::enable_shared_from_this<PulsePlayoutStream> {
public:
    // bufferingMode as PcmPlayerEx takes it: 0 a deep server buffer, 1 a shallow one,
    // 2 the server's choice.
    PulsePlayoutStream(PulseConnection& connection, Source* source, std::string sinkName, const pa_sample_spec& layout,
                       int bufferingMode);
    ~PulsePlayoutStream() override;

    // With the main loop locked: opens the stream on the sink. False when it cannot.
    bool connect(pa_context* context);
    // The feeding thread: runs until the stream has ended and has been closed, then calls
    // finished once.
    void run(const std::function<void(const PlayoutStreamPtr&)>& finished);

    bool isPlaying() override;
    void stop() override;  // asks the feeding thread to end; never waits for it

private:
    static void onWrite(pa_stream* stream, size_t bytes, void* self);
    static void onState(pa_stream* stream, void* self);
    static void onDrained(pa_stream* stream, int success, void* self);

    bool waitForWork();                // false once the stream is to end
    void feed(std::vector<char>& chunk);
    void pump();                       // main loop lock held
    void markEnded();
    void close();                      // takes the main loop lock

    PulseConnection& m_connection;
    Source* const m_source;
    const std::string m_sinkName;
    const pa_sample_spec m_layout;
    const int m_bufferingMode;
    const std::size_t m_capacity;  // bytes buffered ahead of the server at most

    pa_stream* m_stream = nullptr;  // main loop lock
    bool m_draining = false;        // main loop lock

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<char> m_buffer;
    bool m_sourceEnded = false;
    bool m_ended = false;  // drained, failed or killed on the server side
    bool m_stopRequested = false;
    std::atomic<bool> m_playing{true};
};

}  // namespace olvar::velk
