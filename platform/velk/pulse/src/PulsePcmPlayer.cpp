#include "PulsePcmPlayer.h"

#include "PulseSampleLayout.h"

namespace olvar::velk {

PulsePcmPlayer::PulsePcmPlayer(std::shared_ptr<PulseCore> core)
    : PcmPlayerBase(OlvarLogger_getLogger("velk-PulsePcmPlayer")), m_core(std::move(core)) {}

PulsePcmPlayer::~PulsePcmPlayer() { shutdown(); }

void PulsePcmPlayer::startStreamPlayout(PlayoutStreamPtr& stream, int formatCode, const std::string& deviceName,
                                        Source* source) {
    stream.reset();
    pa_sample_spec layout;
    if (!pulseSampleLayout(formatCode, layout)) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "unsupported format code " + std::to_string(formatCode));
        return;
    }
    if (source == nullptr) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "no source given for '" + deviceName + "'");
        return;
    }
    if (!m_core->tracker.isPresent(DEVICE_KIND_PLAYBACK, deviceName)) {
        VELK_LOG(logger(), OLVAR_LOG_WARNING, "no playback device named '" + deviceName + "'");
        return;
    }
    auto playout = std::make_shared<PulsePlayoutStream>(m_core->connection, source, deviceName, layout, getAudioBufferingMode());
    bool connected = false;
    m_core->connection.withContext([&](pa_context* context) { connected = context != nullptr && playout->connect(context); });
    if (!connected) return;

    const bool started = launch(playout, [playout](const ReportEnd& reportEnd) {
        playout->run([&](const PlayoutStreamPtr&) { reportEnd(); });
    });
    if (started) stream = playout;
}

}  // namespace olvar::velk
