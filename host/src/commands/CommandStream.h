// Action lines a long watch reads while it reports (watch --commands): each line is a
// subcommand as the command line takes it, run by that subcommand's own code in the one
// running process, so that a soak sees what ringing, volumes and reordering leave behind.
// play starts its ringtone and returns; stop ends one session or all of them.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "../Commands.h"

namespace Host {

class SoundPlayback;

// Blanks separate words; quotes (single or double) keep blanks inside one. Backslashes are
// kept as they are: hardware ids hold them.
std::vector<std::string> splitWords(const std::string& line);

class CommandStream {
public:
    explicit CommandStream(CommandContext& context);
    ~CommandStream();  // stops what is still playing and waits for the ends
    CommandStream(const CommandStream&) = delete;
    CommandStream& operator=(const CommandStream&) = delete;

    // Runs one line and reports it as a "Done" event with its exit status. Blank lines and
    // lines starting with # are skipped (status 0, nothing reported).
    int run(const std::string& line);
    // Reads lines from the descriptor and runs each until its end, Ctrl-C or the deadline
    // (negative: none). True on Ctrl-C.
    bool runAll(int descriptor, std::chrono::milliseconds timeout);

private:
    int dispatch(const std::vector<std::string>& words);
    int play(CommandContext& lineContext);
    int stop(const std::vector<std::string>& words);

    CommandContext& m_context;
    std::unique_ptr<SoundPlayback> m_playback;
    long m_lines = 0;
};

}  // namespace Host
