#include "MicrophoneCheck.h"

#include <cstdlib>

#include "../HostSession.h"
#include "../Microphones.h"
#include "../operations/DeviceOperations.h"
#include "MirelCoreUtils/StringUtils.h"
#include "WaveWriter.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {
namespace {

constexpr std::chrono::milliseconds kProgressStep{100};
// Beyond the recording's own length, how long its playback may take to end.
constexpr std::chrono::seconds kPlaybackGrace{10};

}  // namespace

MicrophoneCheck::MicrophoneCheck(HostSession& session, std::filesystem::path folder, std::chrono::milliseconds length,
                                 Publish publish)
    : m_session(session), m_folder(std::move(folder)), m_length(length), m_publish(std::move(publish)) {}

MicrophoneCheck::~MicrophoneCheck() { stop(); }

Outcome MicrophoneCheck::start(const std::string& device) {
    auto found = DeviceOperations(m_session).find(OlvarUnified::MediaDeviceTypeEnum::MICROPHONE, device);
    if (!found.device) return found.failure;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_running) return Outcome::failure("a microphone check is running already");
    if (m_stopping) return Outcome::failure("the server is stopping");
    if (m_thread.joinable()) m_thread.join();  // the last check, ended already
    m_running = true;
    m_finished.clear();
    const int check = ++m_checks;
    m_thread = std::thread([this, check, id = found.selectionId] { run(check, id); });
    return Outcome::success({{"check", check},
                             {"device", found.selectionId},
                             {"seconds", static_cast<double>(m_length.count()) / 1000.0}});
}

void MicrophoneCheck::stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

void MicrophoneCheck::soundFinished(long session) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_running) return;
        m_finished.insert(session);
    }
    m_changed.notify_all();
}

bool MicrophoneCheck::record(int check, const std::string& device, std::vector<std::int16_t>& samples, float& loudest) {
    std::string error;
    auto microphone = openMicrophone(m_session.platform(), device, kSampleRate, error);
    if (!microphone) {
        failed(check, device, error);
        return false;
    }
    const auto total = static_cast<std::size_t>(m_length.count()) * kSampleRate / 1000;
    const auto step = static_cast<std::size_t>(kProgressStep.count()) * kSampleRate / 1000;
    samples.resize(total);
    int peak = 0;
    for (std::size_t done = 0; done < total;) {
        const std::size_t count = std::min(step, total - done);
        if (!microphone->read(samples.data() + done, count)) {
            failed(check, device, "could not record from " + device);
            return false;
        }
        for (std::size_t i = done; i < done + count; ++i) peak = std::max(peak, std::abs(int{samples[i]}));
        done += count;
        loudest = static_cast<float>(peak) / 32768.0f;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_stopping) {
                failed(check, device, "stopped");
                return false;
            }
        }
        m_publish({{"event", "MicCheck"},
                   {"check", check},
                   {"phase", "recording"},
                   {"device", device},
                   {"progress", static_cast<double>(done) / static_cast<double>(total)},
                   {"level", loudest}});
    }
    return true;
}

void MicrophoneCheck::run(int check, std::string device) {
    std::vector<std::int16_t> samples;
    float loudest = 0;
    if (record(check, device, samples, loudest)) {
        const auto file = m_folder / ("microphone-check-" + std::to_string(check) + ".wav");
        std::string speaker;
        long session = -1;
        if (writeWave(file, samples, kSampleRate)) {
            m_session.onDispatcher(
                [&] {
                    auto& service = m_session.service();
                    auto current = service.getCurrentSpeaker();
                    if (!current) return;
                    speaker = MirelCoreUtils::toString(current->getSelectionId());
                    session = service.playWaveFile(file.string(), speaker, 100, false);
                },
                "Host::playMicCheck");
        }
        if (session == -1) {
            failed(check, device, speaker.empty() ? "no speaker in use to play the recording on"
                                                  : "could not play the recording on " + speaker);
        } else {
            m_publish({{"event", "MicCheck"},
                       {"check", check},
                       {"phase", "playing"},
                       {"device", device},
                       {"speaker", speaker},
                       {"session", session}});
            bool ended = false;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                ended = m_changed.wait_for(lock, m_length + kPlaybackGrace,
                                           [&] { return m_stopping || m_finished.count(session); }) &&
                        !m_stopping;
            }
            if (!ended) m_session.onDispatcher([&] { m_session.service().stopWaveFilePlayout(session); }, "Host::stopMicCheck");
            if (ended)
                m_publish({{"event", "MicCheck"},
                           {"check", check},
                           {"phase", "done"},
                           {"device", device},
                           {"speaker", speaker},
                           {"session", session},
                           {"seconds", static_cast<double>(m_length.count()) / 1000.0},
                           {"level", loudest}});
            else
                failed(check, device, "the playback did not end");
        }
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_running = false;
}

void MicrophoneCheck::failed(int check, const std::string& device, const std::string& error) {
    m_publish({{"event", "MicCheck"}, {"check", check}, {"phase", "failed"}, {"device", device}, {"error", error}});
}

}  // namespace Host
