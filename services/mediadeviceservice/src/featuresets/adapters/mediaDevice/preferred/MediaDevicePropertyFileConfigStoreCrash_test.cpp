// A writer killed with SIGKILL at arbitrary moments must leave one complete version of the file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "MediaDevicePropertyFileConfigStoreTestSupport.h"
#include "ModuleTestNames.h"
#include "featuresets/adapters/mediaDevice/preferred/MediaDevicePropertyFileConfigStore.h"

extern char** environ;

namespace olvar::test {
namespace {

const std::string kWriterPath = std::string(MDS_TEST_BIN_DIR) + "/store_crash_writer";
constexpr int kKills = 100;
constexpr int kMostWritesBeforeKill = 4;

// One run of the writer whose standard output is a pipe we read its progress from.
class CrashWriter {
public:
    explicit CrashWriter(std::vector<std::string> arguments) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        arguments.insert(arguments.begin(), kWriterPath);
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (::posix_spawn(&m_pid, kWriterPath.c_str(), &actions, nullptr, argv.data(), environ) != 0) m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        m_progress = fds[0];
    }
    ~CrashWriter() {
        killNow();
        if (m_progress >= 0) ::close(m_progress);
    }
    CrashWriter(const CrashWriter&) = delete;
    CrashWriter& operator=(const CrashWriter&) = delete;

    bool started() const { return m_pid > 0 && m_progress >= 0; }

    // Blocks until the writer has reported this many more completed writes; false if it died.
    bool awaitWrites(int count) {
        char reports[kMostWritesBeforeKill];
        int received = 0;
        while (received < count) {
            const ssize_t got = ::read(m_progress, reports, static_cast<std::size_t>(count - received));
            if (got <= 0) return false;
            received += static_cast<int>(got);
        }
        return true;
    }

    // True when the writer ended by our SIGKILL, not on its own.
    bool killNow() {
        if (m_pid <= 0) return false;
        ::kill(m_pid, SIGKILL);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }

private:
    pid_t m_pid = -1;
    int m_progress = -1;
};

TEST(PropertyFileConfigStoreCrash, KilledWriterLeavesExactlyOneCompleteVersion) {
    ASSERT_TRUE(std::filesystem::exists(kWriterPath)) << "helper not built: " << kWriterPath;
    TemporaryDirectory root;
    ASSERT_FALSE(root.path().empty());

    // Versions of clearly different lengths, so a torn or mixed file cannot pass for one.
    std::vector<std::string> sourceDirectories;
    std::set<std::string> versions;
    for (int perType : {1, 4, 12}) {
        const std::string directory = root.path() + "source" + std::to_string(perType) + "/";
        std::filesystem::create_directory(directory);
        MediaDevicePropertyFileConfigStore(kFileName, directory)
            .writeToFile(devicesOfAllTypes(perType, "v" + std::to_string(perType)));
        versions.insert(readBytes(directory + kFileName));
        sourceDirectories.push_back(directory);
    }
    ASSERT_EQ(versions.size(), 3u);
    const std::string target = root.path() + "target/";
    std::filesystem::create_directory(target);
    std::vector<std::string> arguments = {target};
    arguments.insert(arguments.end(), sourceDirectories.begin(), sourceDirectories.end());

    std::set<std::string> seen;
    for (int kill = 0; kill < kKills; ++kill) {
        CrashWriter writer(arguments);
        ASSERT_TRUE(writer.started()) << "could not start " << kWriterPath;
        ASSERT_TRUE(writer.awaitWrites(1 + kill % kMostWritesBeforeKill)) << "writer died on its own, kill " << kill;
        ASSERT_TRUE(writer.killNow()) << "kill " << kill;

        const std::string content = readBytes(target + kFileName);
        ASSERT_EQ(versions.count(content), 1u) << "kill " << kill << " left " << content.size() << " bytes";
        seen.insert(content);
    }
    EXPECT_GT(seen.size(), 1u) << "the kills never caught the writer at different versions";

    // Kills mid-write leave temporaries behind; the next write clears them and keeps the file.
    MediaDevicePropertyFileConfigStore(kFileName, target).writeToFile(devicesOfAllTypes(2, "after"));
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(target)) left.push_back(entry.path().filename());
    EXPECT_EQ(left, std::vector<std::string>{kFileName});
}

}  // namespace
}  // namespace olvar::test
