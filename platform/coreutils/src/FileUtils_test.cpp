#include <gtest/gtest.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "MirelCoreUtils/FileUtils.h"

namespace olvar::test {
namespace {

using MirelCoreUtils::FileUtils;
using MirelCoreUtils::FstreamUtils;

std::string readFile(const std::string& path) {
    std::ifstream stream;
    FstreamUtils::open(stream, path, std::ios_base::in | std::ios_base::binary);
    std::ostringstream content;
    content << stream.rdbuf();
    return content.str();
}

void writePlainFile(const std::string& path, const std::string& content) {
    std::ofstream stream;
    FstreamUtils::open(stream, path, std::ios_base::out | std::ios_base::binary | std::ios_base::trunc);
    stream << content;
}

mode_t permissions(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

std::size_t entryCount(const std::string& directory) {
    std::size_t count = 0;
    if (DIR* dir = opendir(directory.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") ++count;
        }
        closedir(dir);
    }
    return count;
}

void removeTree(const std::string& path) {
    if (DIR* dir = opendir(path.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") removeTree(path + "/" + name);
        }
        closedir(dir);
        rmdir(path.c_str());
    } else {
        unlink(path.c_str());
    }
}

// Restores one environment variable on destruction.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = getenv(name)) m_old = old, m_hadOld = true;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { m_hadOld ? setenv(m_name, m_old.c_str(), 1) : unsetenv(m_name); }

private:
    const char* m_name;
    std::string m_old;
    bool m_hadOld = false;
};

class FileHelpers : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/coreutils-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { removeTree(dir); }

    std::string dir;
};

TEST_F(FileHelpers, WriteAtomicallyReplacesContentPrivatelyWithoutLeftovers) {
    const std::string path = dir + "/data.properties";
    writePlainFile(path, "old content that is longer");
    chmod(path.c_str(), 0644);
    std::string error;
    ASSERT_TRUE(FileUtils::writeFileAtomically(path, "new", error)) << error;
    EXPECT_EQ(readFile(path), "new");
    EXPECT_EQ(permissions(path), 0600u);
    EXPECT_EQ(entryCount(dir), 1u);

    const std::string large(1 << 20, 'x');
    ASSERT_TRUE(FileUtils::writeFileAtomically(path, large, error)) << error;
    EXPECT_EQ(readFile(path), large);
    ASSERT_TRUE(FileUtils::writeFileAtomically(path, "", error)) << error;
    EXPECT_EQ(readFile(path), "");
}

TEST_F(FileHelpers, WriteRemovesTemporariesOfDeadWritersOnly) {
    const std::string path = dir + "/data.properties";
    writePlainFile(path + ".tmp.Ab12Cd", "left by a killed writer");
    writePlainFile(path + ".tmp.notes", "not a temporary: wrong length");
    writePlainFile(dir + "/other.properties.tmp.Ab12Cd", "another file's temporary");
    // A live writer holds its temporary locked; a lock through another open file stands for it.
    const std::string live = path + ".tmp.Live00";
    writePlainFile(live, "being written");
    const int liveFd = open(live.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(liveFd, 0);
    ASSERT_EQ(flock(liveFd, LOCK_EX), 0);

    std::string error;
    ASSERT_TRUE(FileUtils::writeFileAtomically(path, "new", error)) << error;
    EXPECT_EQ(readFile(path), "new");
    EXPECT_FALSE(FileUtils::fileExists(path + ".tmp.Ab12Cd"));
    EXPECT_TRUE(FileUtils::fileExists(path + ".tmp.notes"));
    EXPECT_TRUE(FileUtils::fileExists(dir + "/other.properties.tmp.Ab12Cd"));
    EXPECT_TRUE(FileUtils::fileExists(live));

    close(liveFd);
    ASSERT_TRUE(FileUtils::writeFileAtomically(path, "newer", error)) << error;
    EXPECT_FALSE(FileUtils::fileExists(live)) << "its writer let go of it";
    EXPECT_EQ(entryCount(dir), 3u);
}

TEST_F(FileHelpers, FailedAtomicWriteExplainsAndLeavesNothingBehind) {
    std::string error;
    EXPECT_FALSE(FileUtils::writeFileAtomically(dir + "/missing/data.properties", "x", error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    EXPECT_EQ(entryCount(dir), 0u);

    error.clear();
    EXPECT_FALSE(FileUtils::writeFileAtomically("", "x", error));
    EXPECT_FALSE(error.empty());
}

TEST_F(FileHelpers, FailedRenameKeepsTheOldFile) {
    // A directory in the way cannot be replaced by a file, even by root.
    const std::string path = dir + "/occupied";
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    writePlainFile(path + "/keep", "kept");
    std::string error;
    EXPECT_FALSE(FileUtils::writeFileAtomically(path, "x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readFile(path + "/keep"), "kept");
    EXPECT_EQ(entryCount(dir), 1u);
}

TEST_F(FileHelpers, CopyRespectsOverwriteAndReportsMissingSource) {
    const std::string source = dir + "/deviceData3.properties";
    const std::string target = dir + "/deviceData4.properties";
    writePlainFile(source, std::string("a:b\r\n\0binary", 13));
    EXPECT_FALSE(FileUtils::fileExists(target));
    ASSERT_TRUE(FileUtils::copyFile(source, target, false));
    EXPECT_EQ(readFile(target), readFile(source));

    writePlainFile(source, "changed");
    EXPECT_FALSE(FileUtils::copyFile(source, target, false));
    EXPECT_NE(readFile(target), "changed");
    EXPECT_TRUE(FileUtils::copyFile(source, target, true));
    EXPECT_EQ(readFile(target), "changed");
    EXPECT_TRUE(FileUtils::fileExists(source));

    EXPECT_FALSE(FileUtils::copyFile(dir + "/absent", target, true));
    EXPECT_EQ(readFile(target), "changed");
}

TEST_F(FileHelpers, RemoveFileReportsWhetherSomethingWasRemoved) {
    const std::string path = dir + "/f";
    writePlainFile(path, "x");
    EXPECT_TRUE(FileUtils::fileExists(path));
    EXPECT_TRUE(FileUtils::removeFile(path));
    EXPECT_FALSE(FileUtils::fileExists(path));
    EXPECT_FALSE(FileUtils::removeFile(path));
    EXPECT_FALSE(FileUtils::fileExists(""));
}

TEST_F(FileHelpers, ConfigDirectoryFollowsOverridesAndIsCreatedPrivate) {
    {
        ScopedEnv config("MIREL_CONFIG_DIR", (dir + "/override/nested/").c_str());
        EXPECT_EQ(FileUtils::getConfigDirectory(), dir + "/override/nested");
        EXPECT_EQ(permissions(dir + "/override/nested"), 0700u);
    }
    ScopedEnv noOverride("MIREL_CONFIG_DIR", nullptr);
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", (dir + "/xdg").c_str());
        EXPECT_EQ(FileUtils::getConfigDirectory(), dir + "/xdg/olvar");
        EXPECT_TRUE(FileUtils::fileExists(dir + "/xdg/olvar"));
    }
    ScopedEnv noXdg("XDG_CONFIG_HOME", nullptr);
    ScopedEnv home("HOME", (dir + "/home").c_str());
    EXPECT_EQ(FileUtils::getConfigDirectory(), dir + "/home/.config/olvar");
    EXPECT_EQ(permissions(dir + "/home/.config/olvar"), 0700u);
    EXPECT_EQ(FileUtils::FileSeparator(), "/");
}

}  // namespace
}  // namespace olvar::test
