// mediadevice-host: loads the media-device service module as the client's host does, runs it
// on a simulated device manager or the real sound server, and lists, changes, plays, meters
// and watches what the service knows, one subcommand per task.
#include "CommandLine.h"
#include "Commands.h"
#include "Interruption.h"
#include "olvar/CallRecorder.h"
#include "olvar/OlvarLog.h"

int main(int argc, char** argv) {
    // Before any other thread starts, so that Ctrl-C reaches the run as an event.
    Host::Interruption interruption;
    Host::HostOptions options;
    if (const auto status = Host::parseCommandLine(argc, argv, options)) return *status;
    if (options.logLevel) olvar::log::setThreshold(options.logLevel);
    // The stand-ins of the host's services record every call for tests; the program never
    // reads them, and a long watch must not grow with them.
    olvar::CallRecorder::setProcessLimit(256);
    return Host::runCommand(options, interruption);
}
