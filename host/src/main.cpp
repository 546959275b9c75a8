// mediadevice-host: loads the media-device service module as the client's host does, runs it
// on a simulated device manager or the real sound server and prints what the service knows.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "HostOptions.h"
#include "HostPlatform.h"
#include "ModuleLoader.h"
#include "ServiceReport.h"
#include "SoundPlayback.h"
#include "OlvarUnified/AccessoryEventNames.h"
#include "OlvarUnified/FeatureSet.h"
#include "OlvarUnified/TelephonyServiceStandIn.h"
#include "OlvarUnified/Task.h"
#include "OlvarUnified/Testing.h"
#include "OlvarUnified/UnifiedFactory.h"
#include "module/MediaDeviceTypes.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"
#include "olvar/OlvarLog.h"
#include "velk/SimulatedBackend.h"

namespace {

constexpr const char* kProgram = "mediadevice-host";
constexpr const char* kEntryName = "InjectMediaDeviceService";
constexpr unsigned int kFeatureSet = OlvarUnified::MEDIA_DEVICE_FEATURE_SET_TYPE;

int fail(const std::string& message, int code = 1) {
    std::cerr << kProgram << ": " << message << "\n";
    return code;
}

// A scenario is a short hand-written text; anything else (a device, a directory, a file far
// too large) is a mistake on the command line, not something to read.
constexpr std::uintmax_t kMaxScenarioBytes = 1 << 20;
// The run waits for the whole timeline: keep it to what a person would watch.
constexpr std::chrono::minutes kMaxTimeline{10};

bool readScenario(const std::string& path, olvar::velk::Scenario& scenario, std::string& error) {
    std::error_code failure;
    const auto status = std::filesystem::status(path, failure);
    if (!std::filesystem::is_regular_file(status)) {
        error = "scenario " + path + " is not a regular file";
        return false;
    }
    if (std::filesystem::file_size(path, failure) > kMaxScenarioBytes) {
        error = "scenario " + path + " is larger than " + std::to_string(kMaxScenarioBytes) + " bytes";
        return false;
    }
    std::ifstream file(path);
    if (!file) {
        error = "cannot read scenario " + path;
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    if (!olvar::velk::parseScenario(text.str(), scenario, error)) {
        error = path + ", " + error;
        return false;
    }
    if (Host::timelineLength(scenario) > kMaxTimeline) {
        error = "scenario " + path + " has events after " + std::to_string(kMaxTimeline.count()) +
                " minutes; this host plays at most that long";
        return false;
    }
    return true;
}

// dlopen searches the library path for a name without a slash; a file of that name in the
// working folder is what the user means.
std::string modulePathOf(const Host::HostOptions& options) {
    if (options.modulePath.empty()) return Host::defaultModulePath();
    if (options.modulePath.find('/') == std::string::npos && std::filesystem::exists(options.modulePath))
        return "./" + options.modulePath;
    return options.modulePath;
}

// The device manager passes button names on unread; the host judges them before it runs.
bool checkButtons(const olvar::velk::Scenario& scenario, std::string& error) {
    for (const auto& event : scenario.events) {
        if (event.action != olvar::velk::ScenarioEvent::Action::Button) continue;
        if (OlvarUnified::AccessoryEventNames::accepts(event.button, event.argument)) continue;
        error = "scenario button '" + event.button + "' with argument '" + event.argument +
                "' is not an accessory event (known: volume-up, answer-call, set-default-audio-path <number>, ...)";
        return false;
    }
    return true;
}

void waitForQueues() {
    if (!OlvarUnified::Testing::drainAll()) std::cerr << kProgram << ": the queues did not empty in time\n";
}

std::string joined(const std::vector<unsigned int>& numbers) {
    if (numbers.empty()) return "none";
    std::string text;
    for (unsigned int number : numbers) text += (text.empty() ? "" : ", ") + std::to_string(number);
    return text;
}

// Everything between loading the module and unloading it.
int runModule(Host::HostPlatform& platform, const olvar::velk::Scenario& scenario, const Host::HostOptions& options) {
    auto factory = platform.factory();
    auto adapter = std::dynamic_pointer_cast<OlvarUnified::FeatureSetAdapter>(factory->getFeatureSet(kFeatureSet));
    auto service = std::dynamic_pointer_cast<OlvarUnified::MediaDeviceService>(factory->getService(kFeatureSet));
    if (!adapter || !service) return fail("the module registered no media-device feature set or service");

    std::cout << "Feature set " << kFeatureSet << " depends on: " << joined(adapter->GetFeatureSetDependencies(kFeatureSet))
              << "\n";
    auto events = std::make_shared<std::vector<std::shared_ptr<OlvarUnified::ServiceEvent>>>();
    adapter->StartFeatureSet(kFeatureSet, events);
    waitForQueues();
    std::cout << "Feature set " << kFeatureSet << (adapter->IsFeatureSetStarted(kFeatureSet) ? " started" : " did not start")
              << "\n\n";
    auto& dispatcher = *factory->getServicesDispatcher();
    const Host::DeviceInUse inUse = [&platform](int type) { return platform.telephonyDeviceInUse(type); };
    Host::printServiceState(std::cout, dispatcher, *service, inUse);

    std::unique_ptr<Host::SoundPlayback> sound;
    if (!options.playFile.empty()) {
        std::cout << "\n";
        sound = std::make_unique<Host::SoundPlayback>(std::cout, dispatcher, service);
        sound->start(options.playFile, options.allRingers);
    }

    auto simulated = platform.backend();
    if (!simulated || !scenario.events.empty()) {
        std::unique_ptr<Host::NotificationPrinter> printer;
        dispatcher.enqueueBlock(std::make_shared<OlvarUnified::FunctionTask>(
            [&] { printer = std::make_unique<Host::NotificationPrinter>(std::cout, service); }, "Host::watch"));
        std::chrono::milliseconds watchFor = std::chrono::seconds(options.watchSeconds);
        if (simulated) {
            watchFor = Host::timelineLength(scenario) + std::chrono::milliseconds(200);
            std::cout << "\nPlaying " << scenario.events.size() << " device events over "
                      << Host::timelineLength(scenario).count() << " ms\n";
            simulated->setButtonSink(
                [&dispatcher, &printer, telephony = platform.telephonyService()](const olvar::velk::ScenarioEvent& e) {
                    dispatcher.enqueue(std::make_shared<OlvarUnified::FunctionTask>(
                        [&printer, e] { printer->buttonPressed(e.button, e.hardwareId); }, "Host::printButton"));
                    if (telephony) telephony->fireByName(e.button, e.hardwareId, e.argument);
                });
            simulated->startTimeline(scenario);
        } else {
            std::cout << "\nWatching the sound server's devices for " << options.watchSeconds << " s\n";
        }
        // A program, not a test: waiting for the devices to change is the point of the run.
        std::this_thread::sleep_for(watchFor);
        if (simulated) {
            simulated->stopTimeline();
            simulated->setButtonSink({});
        }
        waitForQueues();
        dispatcher.enqueueBlock(
            std::make_shared<OlvarUnified::FunctionTask>([&] { printer.reset(); }, "Host::unwatch"));
        std::cout << "\n";
        Host::printServiceState(std::cout, dispatcher, *service, inUse);
    }

    if (sound && !sound->waitUntilFinished(std::chrono::seconds(60)))
        std::cout << "The sound did not end within a minute; stopped it\n";
    sound.reset();

    adapter->StopFeatureSet(kFeatureSet, events);
    adapter->Destroy();
    waitForQueues();
    std::cout << "\nFeature set " << kFeatureSet << " stopped\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Host::HostOptions options;
    std::string error;
    if (!Host::parseHostOptions(std::vector<std::string>(argv + 1, argv + argc), options, error))
        return fail(error + " (see --help)", 2);
    if (options.help) {
        std::cout << Host::hostUsage(kProgram);
        return 0;
    }
    if (options.logLevel) olvar::log::setThreshold(options.logLevel);

    olvar::velk::Scenario scenario = Host::defaultHostScenario();
    if (!options.scenarioPath.empty() && !readScenario(options.scenarioPath, scenario, error)) return fail(error, 2);
    if (!checkButtons(scenario, error)) return fail(error, 2);

    Host::HostPlatform platform;
    if (!platform.setUp(options, scenario, error)) return fail(error);

    Host::ModuleLoader module;
    const std::string modulePath = modulePathOf(options);
    if (!module.load(modulePath, kEntryName, error)) return fail(error);
    std::cout << "Loaded " << modulePath << "\n";
    module.entry()(platform.factory());

    const int result = runModule(platform, scenario, options);
    // The module's objects go before the module itself.
    const bool saved = platform.tearDown();
    waitForQueues();
    module.unload();
    std::cout << "Unloaded the module\n";
    if (!saved) return fail("could not save the configuration to " + platform.configFile());
    std::cout << "Configuration kept in " << platform.configFile() << "\n";
    return result;
}
