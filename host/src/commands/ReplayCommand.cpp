#include <chrono>
#include <iostream>

#include "../DeviceState.h"
#include "../HostPlatform.h"
#include "../HostSession.h"
#include "../Interruption.h"
#include "../Output.h"
#include "../SoundPlayback.h"
#include "LiveWatch.h"

namespace Host {
namespace {

void printState(CommandContext& context) {
    std::vector<TypeState> states;
    context.session.onDispatcher(
        [&] { states = readServiceState(context.session.service(), context.session.deviceInUse()); }, "Host::state");
    context.output.result({}, serviceStateText(states));
}

}  // namespace

int runReplay(CommandContext& context) {
    const auto& options = context.options;
    printState(context);

    std::unique_ptr<SoundPlayback> sound;
    if (!options.playFile.empty()) {
        std::cout << "\n";
        sound = std::make_unique<SoundPlayback>(context.output, context.session, context.interruption);
        PlayRequest request;
        request.file = options.playFile;
        request.allRingers = options.allRingers;
        std::string error;
        if (!sound->start(request, error)) std::cout << error << "\n";
    }

    {
        LiveWatch watch(context);
        if (watch.simulated()) {
            std::cout << "\nPlaying " << context.scenario.events.size() << " device events over "
                      << timelineLength(context.scenario).count() << " ms\n";
            watch.startTimeline();
            watch.waitForTimeline();
        } else {
            std::cout << "\nWatching the sound server's devices for " << options.watchSeconds << " s\n";
            context.interruption.waitFor(std::chrono::seconds(options.watchSeconds));
        }
        watch.stop();
    }
    std::cout << "\n";
    printState(context);

    if (sound && !sound->waitUntilFinished(std::chrono::seconds(60)))
        std::cout << "The sound did not end within a minute; stopped it\n";
    return kExitSuccess;
}

}  // namespace Host
