// The page's microphone check: records a few seconds from a microphone, plays them back on
// the speaker in use and reports each step as a MicCheck event. One check at a time, on a
// thread of its own.
#pragma once

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <thread>

#include "../operations/Outcome.h"

namespace Host {

class HostSession;

class MicrophoneCheck {
public:
    static constexpr int kSampleRate = 16000;
    using Publish = std::function<void(nlohmann::ordered_json event)>;

    MicrophoneCheck(HostSession& session, std::filesystem::path folder, std::chrono::milliseconds length,
                    Publish publish);
    ~MicrophoneCheck();  // stops
    MicrophoneCheck(const MicrophoneCheck&) = delete;
    MicrophoneCheck& operator=(const MicrophoneCheck&) = delete;

    // Result: {"check": n, "device": selection id, "seconds": length}.
    Outcome start(const std::string& device);
    // Ends a running check (as failed) and waits for its thread.
    void stop();
    // A playback session ended (any thread).
    void soundFinished(long session);

private:
    void run(int check, std::string device);
    // False when stopped meanwhile.
    bool record(int check, const std::string& device, std::vector<std::int16_t>& samples, float& loudest);
    void failed(int check, const std::string& device, const std::string& error);

    HostSession& m_session;
    const std::filesystem::path m_folder;
    const std::chrono::milliseconds m_length;
    Publish m_publish;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_running = false;
    bool m_stopping = false;
    int m_checks = 0;
    std::set<long> m_finished;  // sessions ended while a check runs
    std::thread m_thread;
};

}  // namespace Host
