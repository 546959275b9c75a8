#include "CommandStream.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "../CommandLine.h"
#include "../HostSession.h"
#include "../Interruption.h"
#include "../Output.h"
#include "../SoundPlayback.h"
#include "CommandSupport.h"
#include "objects/mediaDeviceService/MediaDeviceService.h"

namespace Host {
namespace {

struct StreamCommand {
    std::string_view name;
    int (*run)(CommandContext&);
};

// The subcommands that finish by themselves; play and stop are the stream's own.
constexpr StreamCommand kStreamCommands[] = {
    {"list", runList}, {"prefer", runPrefer}, {"select", runSelect}, {"volume", runVolume}, {"press", runPress},
};

// A line longer than this without a line break is refused rather than kept growing.
constexpr std::size_t kMaxLineBytes = 64 * 1024;
// How often the wait for input looks at Ctrl-C and the deadline.
constexpr std::chrono::milliseconds kInputPollInterval(200);

}  // namespace

std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (char c : line) {
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                word += c;
        } else if (c == '\'' || c == '"') {
            quote = c;
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

CommandStream::CommandStream(CommandContext& context) : m_context(context) {}

CommandStream::~CommandStream() {
    if (m_playback) m_playback->waitUntilFinished(std::chrono::milliseconds(0));
}

int CommandStream::run(const std::string& line) {
    const auto words = splitWords(line);
    if (words.empty() || words.front().front() == '#') return kExitSuccess;
    const long number = ++m_lines;
    const int status = dispatch(words);
    m_context.output.event({{"event", "Done"}, {"line", number}, {"command", words.front()}, {"status", status}},
                           "done: " + line + " (exit status " + std::to_string(status) + ")");
    return status;
}

int CommandStream::dispatch(const std::vector<std::string>& words) {
    if (words.front() == "stop") return stop(words);
    for (const auto& word : words)
        if (word == "--help" || word == "-h") return reportFailure("no help inside a command line", kExitUsage);

    std::vector<std::string> arguments{"mediadevice-host"};
    arguments.insert(arguments.end(), words.begin(), words.end());
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    HostOptions options;
    if (const auto status = parseCommandLine(static_cast<int>(argv.size()), argv.data(), options)) return *status;
    std::string error;
    if (const int status = checkArguments(options, error)) return reportFailure(error, status);

    CommandContext lineContext{options, m_context.scenario, m_context.session, m_context.output,
                               m_context.interruption};
    if (options.command == "play") return play(lineContext);
    for (const auto& command : kStreamCommands)
        if (command.name == options.command) return command.run(lineContext);
    return reportFailure("'" + options.command + "' cannot run inside watch (list, prefer, select, volume, press, " +
                             "play or stop)",
                         kExitUsage);
}

int CommandStream::play(CommandContext& lineContext) {
    if (!m_playback)
        m_playback = std::make_unique<SoundPlayback>(m_context.output, m_context.session, m_context.interruption);
    return startPlaying(lineContext, *m_playback) ? kExitSuccess : kExitFailure;
}

int CommandStream::stop(const std::vector<std::string>& words) {
    if (words.size() != 2) return reportFailure("stop takes one session id or all", kExitUsage);
    std::optional<long> session;
    if (words[1] != "all") {
        try {
            std::size_t used = 0;
            session = std::stol(words[1], &used);
            if (used != words[1].size() || *session < 0) throw std::invalid_argument(words[1]);
        } catch (const std::exception&) {
            return reportFailure("stop: '" + words[1] + "' is neither a session id nor all", kExitUsage);
        }
    }
    const Outcome outcome = DeviceOperations(m_context.session).stop(session);
    return outcome.ok ? kExitSuccess : reportFailure(outcome.error, outcome.status);
}

bool CommandStream::runAll(int descriptor, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string pending;
    bool dropping = false;  // the rest of an overlong line
    char buffer[4096];
    for (;;) {
        if (m_context.interruption.interrupted()) return true;
        auto wait = kInputPollInterval;
        if (timeout.count() >= 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            wait = std::min(wait, left);
        }
        pollfd input{descriptor, POLLIN, 0};
        const int ready = ::poll(&input, 1, static_cast<int>(wait.count()));
        if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
        const ssize_t got = ready < 0 ? -1 : ::read(descriptor, buffer, sizeof buffer);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (got <= 0) {  // the end of the input ends the watch
            if (!pending.empty() && !dropping) run(pending);
            return m_context.interruption.interrupted();
        }
        pending.append(buffer, static_cast<std::size_t>(got));
        for (auto end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!dropping) run(line);
            dropping = false;
        }
        if (pending.size() > kMaxLineBytes) {
            if (!dropping)
                reportFailure("a command line longer than " + std::to_string(kMaxLineBytes) + " bytes was dropped");
            dropping = true;
            pending.clear();
        }
    }
}

}  // namespace Host
