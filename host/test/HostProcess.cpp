#include "HostProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>

#include <regex>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

extern char** environ;

namespace olvar::test {

HostProcess::HostProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input, const std::string& workingDirectory) {
    int out[2], err[2], in[2] = {-1, -1};
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    // A socket rather than a pipe: a program that exits before reading it all must not
    // take the test down with SIGPIPE.
    if (!input.empty() && socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, in) != 0)
        throw std::runtime_error("socketpair failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (input.empty())
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    else
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    if (!workingDirectory.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const int failed = posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    m_out = out[0];
    m_err = err[0];
    if (!input.empty()) {
        // All of it, then its end.
        close(in[0]);
        for (std::size_t written = 0; written < input.size();) {
            const ssize_t n = send(in[1], input.data() + written, input.size() - written, MSG_NOSIGNAL);
            if (n <= 0) break;
            written += static_cast<std::size_t>(n);
        }
        close(in[1]);
    }
    if (failed) throw std::runtime_error("cannot start " + program);
}

HostProcess::~HostProcess() {
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0) close(m_out);
    if (m_err >= 0) close(m_err);
}

bool HostProcess::pump() {
    pollfd fds[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
    if (m_out < 0 && m_err < 0) return false;
    if (poll(fds, 2, -1) < 0) return true;
    int* ends[2] = {&m_out, &m_err};
    std::string* texts[2] = {&m_result.out, &m_result.err};
    for (int i = 0; i < 2; ++i) {
        if (*ends[i] < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        char buffer[4096];
        const ssize_t got = read(*ends[i], buffer, sizeof buffer);
        if (got > 0) {
            texts[i]->append(buffer, static_cast<std::size_t>(got));
        } else {
            close(*ends[i]);
            *ends[i] = -1;
        }
    }
    return true;
}

bool HostProcess::waitForOutput(const std::string& text) {
    while (m_result.out.find(text) == std::string::npos)
        if (!pump() || m_out < 0) return m_result.out.find(text) != std::string::npos;
    return true;
}

void HostProcess::sendSignal(int signal) {
    if (m_pid > 0) kill(m_pid, signal);
}

HostResult HostProcess::finish() {
    while (pump()) {
    }
    int status = 0;
    if (m_pid > 0 && waitpid(m_pid, &status, 0) == m_pid)
        m_result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    m_pid = -1;
    return m_result;
}

HostResult runHost(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& input, const std::string& workingDirectory) {
    return HostProcess(program, arguments, input, workingDirectory).finish();
}

bool outputMatches(const HostResult& result, const std::string& pattern) {
    std::string all = result.out + result.err;
    for (char& c : all)
        if (c == '\n') c = ' ';
    return std::regex_search(all, std::regex(pattern));
}

}  // namespace olvar::test
