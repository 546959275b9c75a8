#include <chrono>

#include "../Commands.h"
#include "../HostSession.h"
#include "../Interruption.h"
#include "../Output.h"
#include "../SoundPlayback.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {

// Plays until every session ended; Ctrl-C or --for stops them first (a --loop never ends
// without one of them).
int runPlay(CommandContext& context) {
    const auto& options = context.options;
    bool supported = false;
    context.session.onDispatcher([&] { supported = context.session.service().isAudioFileSupported(options.playFile); },
                                 "Host::checkFile");
    if (!supported) return reportFailure(options.playFile + " is not a wave file the module can play");

    SoundPlayback playback(context.output, context.session, context.interruption);
    PlayRequest request;
    request.file = options.playFile;
    request.device = options.deviceId;
    request.allRingers = options.allRingers;
    request.volume = options.volume;
    request.loop = options.loop;
    std::string error;
    if (!playback.start(request, error)) return reportFailure(error);
    const bool ended = playback.waitUntilFinished(std::chrono::milliseconds(options.forMilliseconds));
    nlohmann::ordered_json result = playback.summary();
    result["file"] = options.playFile;
    result["stopped"] = !ended;
    context.output.result(result, ended ? "" : "Stopped the sound\n");
    return kExitSuccess;
}

}  // namespace Host
