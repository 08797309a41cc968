#include "app/ExpressionsFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {
using namespace std::string_literals;

class ExpressionsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "vexlor-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strDir = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_strDir, ec);
    }

    std::string PathOf(const char* name) const { return m_strDir + "/" + name; }

    static void WriteRaw(const std::string& path, const std::string& bytes) {
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        ASSERT_EQ(fclose(f), 0);
    }

    static std::string ReadBack(const std::string& path) {
        std::string bytes;
        EXPECT_TRUE(ExpressionsFile::Read(path, &bytes)) << path;
        return bytes;
    }

    int EntryCount() const {
        std::error_code ec;
        int n = 0;
        for (auto it = std::filesystem::directory_iterator(m_strDir, ec);
             !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
            ++n;
        return n;
    }

    std::string m_strDir;
};

// Cyrillic comment, CR LF and lone CR, a NUL byte and the unassigned 0x98.
const std::string kRawText = "\xE0 = 1; -- \xCF\xF0\xE8\xEC\xE5\xF0\r\nb = \xFF;\r\x98\0z"s;
} // namespace

TEST_F(ExpressionsFileTest, ReadKeepsEveryByte) {
    const std::string path = PathOf("e.txt");
    WriteRaw(path, kRawText);
    EXPECT_EQ(ReadBack(path), kRawText);

    std::string big(200000, '\xC0');
    big[123456] = '\n';
    WriteRaw(path, big);
    EXPECT_EQ(ReadBack(path), big);
}

TEST_F(ExpressionsFileTest, ReadFailsWithoutCrashing) {
    std::string bytes = "stale";
    EXPECT_FALSE(ExpressionsFile::Read(PathOf("missing.txt"), &bytes));
    EXPECT_TRUE(bytes.empty());
    bytes = "stale";
    EXPECT_FALSE(ExpressionsFile::Read(m_strDir, &bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(ExpressionsFile::Read("", &bytes));
    WriteRaw(PathOf("e.txt"), "x");
    EXPECT_FALSE(ExpressionsFile::Read(PathOf("e.txt"), nullptr));
}

TEST_F(ExpressionsFileTest, WriteTurnsEachLineFeedIntoCrLf) {
    const std::string path = PathOf("e.txt");
    ASSERT_TRUE(ExpressionsFile::Write(path, "\xE0 = 1;\n\n-- \xFF\x98\n"));
    EXPECT_EQ(ReadBack(path), "\xE0 = 1;\r\n\r\n-- \xFF\x98\r\n");
    ASSERT_TRUE(ExpressionsFile::Write(path, ""));
    EXPECT_EQ(ReadBack(path), "");
    EXPECT_EQ(EntryCount(), 1);
}

TEST_F(ExpressionsFileTest, WriteReplacesOldFileAndKeepsItsMode) {
    const std::string path = PathOf("e.txt");
    WriteRaw(path, "old text that is longer than the new one\r\n");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(ExpressionsFile::Write(path, "new"));
    EXPECT_EQ(ReadBack(path), "new");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(EntryCount(), 1);
}

TEST_F(ExpressionsFileTest, WriteThroughSymlinkUpdatesTarget) {
    const std::string target = PathOf("real.txt");
    const std::string link = PathOf("link.txt");
    WriteRaw(target, "old");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(ExpressionsFile::Write(link, "a\nb"));
    EXPECT_EQ(ReadBack(target), "a\r\nb");
    struct stat st {};
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_F(ExpressionsFileTest, WriteFailsWithoutLeavingDebris) {
    EXPECT_FALSE(ExpressionsFile::Write("", "x"));
    EXPECT_FALSE(ExpressionsFile::Write(PathOf("no/such/folder/e.txt"), "x"));
    const std::string folder = PathOf("folder");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    EXPECT_FALSE(ExpressionsFile::Write(folder, "x"));
    struct stat st {};
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(EntryCount(), 1);
}

TEST_F(ExpressionsFileTest, FailedWriteKeepsOldFile) {
    const std::string path = PathOf("e.txt");
    WriteRaw(path, kRawText);
    // A file size limit makes the write itself fail half way.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 16;
    auto previous = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = ExpressionsFile::Write(path, std::string(1000, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBack(path), kRawText);
    EXPECT_EQ(EntryCount(), 1);
}
