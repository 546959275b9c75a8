#include <chrono>

#include "../Commands.h"
#include "../HostSession.h"
#include "../Interruption.h"
#include "../Output.h"
#include "../SoundPlayback.h"
#include "CommandSupport.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {

bool startPlaying(CommandContext& context, SoundPlayback& playback) {
    const auto& options = context.options;
    bool supported = false;
    context.session.onDispatcher([&] { supported = context.session.service().isAudioFileSupported(options.playFile); },
                                 "Host::checkFile");
    if (!supported) {
        reportFailure(options.playFile + " is not a wave file the module can play");
        return false;
    }
    PlayRequest request;
    request.file = options.playFile;
    request.device = options.deviceId;
    request.allRingers = options.allRingers;
    request.volume = options.volume;
    request.loop = options.loop;
    std::string error;
    if (playback.start(request, error)) return true;
    reportFailure(error);
    return false;
}

// Plays until every session ended; Ctrl-C or --for stops them first (a --loop never ends
// without one of them).
int runPlay(CommandContext& context) {
    SoundPlayback playback(context.output, context.session, context.interruption);
    if (!startPlaying(context, playback)) return kExitFailure;
    const bool ended = playback.waitUntilFinished(std::chrono::milliseconds(context.options.forMilliseconds));
    nlohmann::ordered_json result = playback.summary();
    result["file"] = context.options.playFile;
    result["stopped"] = !ended;
    context.output.result(result, ended ? "" : "Stopped the sound\n");
    return kExitSuccess;
}

}  // namespace Host
