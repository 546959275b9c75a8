#include <unistd.h>

#include <chrono>

#include "../Commands.h"
#include "../HostSession.h"
#include "../Interruption.h"
#include "../Output.h"
#include "CommandStream.h"
#include "LiveWatch.h"

namespace Host {

// Until Ctrl-C (or the end of the input with --commands); with --for, that long after the
// simulated timeline played out (or after the start, on the sound server).
int runWatch(CommandContext& context) {
    LiveWatch watch(context);
    context.output.event({{"event", "Watching"}, {"backend", context.options.backend}},
                         "Watching the service's notifications; Ctrl-C stops");
    watch.startTimeline();
    bool interrupted = watch.waitForTimeline();
    const std::chrono::milliseconds limit(context.options.forMilliseconds);
    if (!interrupted && context.options.readCommands) {
        CommandStream commands(context);
        interrupted = commands.runAll(STDIN_FILENO, limit);
    } else if (!interrupted) {
        interrupted = context.interruption.waitFor(limit);
    }
    watch.stop();
    context.output.event({{"event", "Stopped"}, {"interrupted", interrupted}}, "Stopped");
    return kExitSuccess;
}

}  // namespace Host
