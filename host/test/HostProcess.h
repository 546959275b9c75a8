// Runs the built host program as a person would, for tests: its arguments, its standard
// output and error apart, its exit status, and signals sent to it while it runs.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace olvar::test {

struct HostResult {
    int status = -1;  // the exit status; 128 + the signal for a program killed by one
    std::string out;
    std::string err;
};

class HostProcess {
public:
    // Starts program with arguments; its standard input is input, then its end (/dev/null
    // when there is no input). It runs in workingDirectory, or in the test's own when empty.
    HostProcess(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& input = {}, const std::string& workingDirectory = {});
    ~HostProcess();  // kills a program still running
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    // Reads until the standard output holds text; false when the program closed it first.
    bool waitForOutput(const std::string& text);
    void sendSignal(int signal);
    // Reads everything left and waits for the exit.
    HostResult finish();

private:
    // Reads what either pipe has, waiting for some; false once both are closed.
    bool pump();

    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
    HostResult m_result;
};

HostResult runHost(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& input = {}, const std::string& workingDirectory = {});

// Whether the standard output and error together match the regular expression, in which '.'
// also matches a line break.
bool outputMatches(const HostResult& result, const std::string& pattern);

}  // namespace olvar::test
