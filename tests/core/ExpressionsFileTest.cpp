#include "app/ExpressionsFile.h"
#include "platform/TextLimit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

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

    // Writes 1000 bytes where a file size limit of 16 makes the write itself
    // fail half way, as a full disk would; kNone when it was written.
    static ExpressionsFile::Failure WriteOnFullDisk(const std::string& path) {
        rlimit old{};
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit small = old;
        small.rlim_cur = 16;
        auto previous = signal(SIGXFSZ, SIG_IGN);
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        ExpressionsFile::Failure failure = ExpressionsFile::Failure::kNone;
        ExpressionsFile::Write(path, std::string(1000, 'x'), &failure);
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, previous);
        return failure;
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

TEST_F(ExpressionsFileTest, ReadRefusesTextsOverTheLimit) {
    using F = ExpressionsFile::Failure;
    const std::string path = PathOf("huge.txt");
    for (size_t size : {kMaxTextBytes, kMaxTextBytes + 1, kMaxTextBytes + 70000}) {
        WriteRaw(path, std::string(size, 'a'));
        std::string bytes = "stale";
        F failure = F::kOther;
        bool fits = size <= kMaxTextBytes;
        EXPECT_EQ(ExpressionsFile::Read(path, &bytes, &failure), fits) << size;
        EXPECT_EQ(failure, fits ? F::kNone : F::kTooLarge) << size;
        EXPECT_EQ(bytes.size(), fits ? size : 0u) << size;
    }
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
    EXPECT_EQ(WriteOnFullDisk(path), ExpressionsFile::Failure::kNoSpace);
    EXPECT_EQ(ReadBack(path), kRawText);
    EXPECT_EQ(EntryCount(), 1);
}

TEST_F(ExpressionsFileTest, FailuresSayWhy) {
    using F = ExpressionsFile::Failure;
    const std::string folder = PathOf("folder");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    const std::string readOnly = PathOf("ro.txt");
    WriteRaw(readOnly, "kept");
    ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
    struct Case {
        std::string path;
        F write;
        F read;
    };
    const Case cases[] = {
        {"", F::kMissing, F::kMissing},
        {PathOf("no/such/folder/e.txt"), F::kMissing, F::kMissing},
        {PathOf("ro.txt/e.txt"), F::kMissing, F::kMissing},
        {folder, F::kFolder, F::kFolder},
        // Read-only for everybody, the superuser included: never replaced.
        {readOnly, F::kReadOnly, F::kNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        F failure = F::kNone;
        EXPECT_EQ(ExpressionsFile::Write(c.path, "new", &failure), c.write == F::kNone);
        EXPECT_EQ(failure, c.write);
        std::string bytes;
        EXPECT_EQ(ExpressionsFile::Read(c.path, &bytes, &failure), c.read == F::kNone);
        EXPECT_EQ(failure, c.read);
    }
    EXPECT_EQ(ReadBack(readOnly), "kept");
    EXPECT_EQ(EntryCount(), 2);
    EXPECT_EQ(WriteOnFullDisk(PathOf("big.txt")), F::kNoSpace);
}

TEST_F(ExpressionsFileTest, UnwritableFolderIsDenied) {
    // The superuser writes into any folder: the check runs as "nobody", who
    // owns the folder but has taken away its own write permission.
    constexpr uid_t kNobody = 65534;
    const bool root = geteuid() == 0;
    const std::string path = PathOf("e.txt");
    WriteRaw(path, "old");
    if (root) {
        ASSERT_EQ(chown(m_strDir.c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
    }
    ASSERT_EQ(chmod(m_strDir.c_str(), 0500), 0);
    ASSERT_TRUE(!root || seteuid(kNobody) == 0);
    ExpressionsFile::Failure failure = ExpressionsFile::Failure::kNone;
    const bool written = ExpressionsFile::Write(path, "new", &failure);
    ASSERT_TRUE(!root || seteuid(0) == 0);
    chmod(m_strDir.c_str(), 0700);
    EXPECT_FALSE(written);
    EXPECT_EQ(failure, ExpressionsFile::Failure::kDenied);
    EXPECT_EQ(ReadBack(path), "old");
}

TEST_F(ExpressionsFileTest, WriteKeepsOwnerAndGroupWherePermitted) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only the superuser gives a file away";
    const std::string path = PathOf("e.txt");
    WriteRaw(path, "old");
    ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
    ASSERT_EQ(chmod(path.c_str(), 0604), 0);
    ASSERT_TRUE(ExpressionsFile::Write(path, "new"));
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
    EXPECT_EQ(ReadBack(path), "new");
}

TEST_F(ExpressionsFileTest, TemporaryNamePattern) {
    struct Case {
        const char* name;
        bool matches;
        long pid;
    };
    const Case cases[] = {
        {"e.txt.tmp123-0", true, 123}, {"e.txt.tmp4194304-17", true, 4194304},
        {"e.txt.tmp", false, 0},       {"e.txt.tmp12", false, 0},
        {"e.txt.tmp12-", false, 0},    {"e.txt.tmp-1", false, 0},
        {"e.txt.tmpx-1", false, 0},    {"e.txt.tmp12-3.bak", false, 0},
        {"e.txt.tmp12-3-4", false, 0}, {"e.txt.tmp123456789012-1", false, 0},
        {"xe.txt.tmp12-3", false, 0},  {"e.txt", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        long pid = 0;
        EXPECT_EQ(ExpressionsFile::IsTemporaryOf(c.name, "e.txt", &pid), c.matches);
        EXPECT_EQ(pid, c.pid);
    }
    EXPECT_FALSE(ExpressionsFile::IsTemporaryOf(".tmp1-1", "", nullptr));
}

// A save killed half way leaves its temporary file; the next successful save
// of the same file removes it, and only what has exactly its pattern and
// belongs to no running save.
TEST_F(ExpressionsFileTest, SaveRemovesStaleTemporariesOfItsFile) {
    const std::string path = PathOf("e.txt");
    const std::string own = "e.txt.tmp" + std::to_string(getpid()) + "-999";
    // Beyond the largest process id Linux gives: a process long gone.
    const std::string gone = "e.txt.tmp99999999-4";
    const std::vector<std::string> kept = {
        "e.txt.tmp1-0", // process 1 is always running: its save may be under way
        "e.txt.tmp99999999-4.bak",
        "e.txt.tmp99999999",
        "f.txt.tmp99999999-1",
        "e.txt",
    };
    for (const std::string& name : kept)
        WriteRaw(PathOf(name.c_str()), "old");
    WriteRaw(PathOf(own.c_str()), "stale");
    WriteRaw(PathOf(gone.c_str()), "stale");
    const std::string folder = PathOf("e.txt.tmp99999999-5");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);

    // A failed save removes nothing.
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(ExpressionsFile::Write(path, "new"));
    EXPECT_EQ(EntryCount(), 8);
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);

    ASSERT_TRUE(ExpressionsFile::Write(path, "new"));
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(m_strDir))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected = kept;
    expected.push_back("e.txt.tmp99999999-5");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
    EXPECT_EQ(ReadBack(path), "new");
}
