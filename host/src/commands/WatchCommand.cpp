#include <chrono>

#include "../Commands.h"
#include "../HostSession.h"
#include "../Interruption.h"
#include "../Output.h"
#include "LiveWatch.h"

namespace Host {

// Until Ctrl-C; with --for, that long after the simulated timeline played out (or after the
// start, on the sound server).
int runWatch(CommandContext& context) {
    LiveWatch watch(context);
    context.output.event({{"event", "Watching"}, {"backend", context.options.backend}},
                         "Watching the service's notifications; Ctrl-C stops");
    watch.startTimeline();
    bool interrupted = watch.waitForTimeline();
    if (!interrupted) interrupted = context.interruption.waitFor(std::chrono::milliseconds(context.options.forMilliseconds));
    watch.stop();
    context.output.event({{"event", "Stopped"}, {"interrupted", interrupted}}, "Stopped");
    return kExitSuccess;
}

}  // namespace Host
