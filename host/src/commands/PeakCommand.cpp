#include <chrono>
#include <cstdio>
#include <string>

#include "../DeviceState.h"
#include "../HostSession.h"
#include "../Interruption.h"
#include "../Output.h"
#include "CommandSupport.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

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
    const auto microphone = OlvarUnified::MediaDeviceTypeEnum::MICROPHONE;
    const NamedDevice named = findNamedDevice(context, microphone, context.options.deviceId);
    if (!named.device) return kExitFailure;
    const auto& device = named.device;
    const std::string& selectionId = named.selectionId;
    auto& service = context.session.service();
    bool started = false;
    context.session.onDispatcher([&] { started = service.initialisePeak(device); }, "Host::initialisePeak");
    if (!started) return reportFailure("the module could not start the meter of " + selectionId);
    context.session.drain();

    int readings = 0;
    const auto interval = std::chrono::milliseconds(context.options.intervalMilliseconds);
    do {
        float level = 0;
        context.session.onDispatcher([&] { level = service.getInputPeak(device); }, "Host::readPeak");
        ++readings;
        context.output.event({{"event", "Peak"}, {"device", selectionId}, {"level", level}}, meter(selectionId, level));
        if (context.options.samples > 0 && readings >= context.options.samples) break;
    } while (!context.interruption.waitFor(interval));

    context.session.onDispatcher([&] { service.unInitialisePeak(device); }, "Host::unInitialisePeak");
    context.session.drain();
    context.output.result({{"device", selectionId}, {"readings", readings}}, "");
    return kExitSuccess;
}

}  // namespace Host
