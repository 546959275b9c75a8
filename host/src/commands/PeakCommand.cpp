#include <chrono>
#include <cstdio>
#include <string>

#include "../Interruption.h"
#include "../operations/MicrophoneMeters.h"
#include "CommandSupport.h"

namespace Host {
namespace {

constexpr int kMeterWidth = 40;

// "mic-builtin  0.250 |##########                              |"
std::string meter(const std::string& device, float level) {
    const float clamped = level < 0 ? 0 : (level > 1 ? 1 : level);
    const int filled = static_cast<int>(clamped * kMeterWidth + 0.5f);
    char value[16];
    std::snprintf(value, sizeof value, "%.3f", static_cast<double>(level));
    return device + "  " + value + " |" + std::string(filled, '#') + std::string(kMeterWidth - filled, ' ') + "|";
}

}  // namespace

// Reads the microphone's input level every interval until Ctrl-C or --samples readings.
int runPeak(CommandContext& context) {
    MicrophoneMeters meters(context.session);
    const Outcome started = meters.start(context.options.deviceId);
    if (!started.ok) return finish(context, started);
    const std::string selectionId = started.result.at("device");

    int readings = 0;
    const auto interval = std::chrono::milliseconds(context.options.intervalMilliseconds);
    do {
        const float level = meters.read(selectionId);
        ++readings;
        context.output.event({{"event", "Peak"}, {"device", selectionId}, {"level", level}}, meter(selectionId, level));
        if (context.options.samples > 0 && readings >= context.options.samples) break;
    } while (!context.interruption.waitFor(interval));

    meters.stop(selectionId);
    return finish(context, Outcome::success({{"device", selectionId}, {"readings", readings}}));
}

}  // namespace Host
