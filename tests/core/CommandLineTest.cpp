#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {
struct Expected {
    const char* line;
    int32_t host;
    const char* file;
    const char* server;
    bool topmost;
};

void ExpectParse(const Expected& e) {
    SCOPED_TRACE(e.line);
    const CommandLine cl = CommandLine::Parse(e.line);
    EXPECT_EQ(cl.m_hHostWnd, e.host);
    EXPECT_EQ(cl.m_strFileName, e.file);
    EXPECT_EQ(cl.m_strServerName, e.server);
    EXPECT_EQ(cl.m_bTopmost, e.topmost);
}

void ExpectAll(const std::vector<Expected>& cases) {
    for (const Expected& e : cases)
        ExpectParse(e);
}

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
} // namespace

TEST(CommandLineTest, EmptyLineGivesNothing) {
    ExpectAll({{"", 0, "", "", false}, {"   \t ", 0, "   \t ", "", false}});
}

TEST(CommandLineTest, SwitchLettersIgnoreCase) {
    ExpectAll({
        {"/F e.txt", 0, "e.txt", "", false},
        {"/f e.txt", 0, "e.txt", "", false},
        {"/t", 0, "", "", true},
        {"/T", 0, "", "", true},
        {"/n Host /h 7", 7, "", "Host", false},
    });
}

TEST(CommandLineTest, ValuesQuotedAndUnquoted) {
    ExpectAll({
        {"/F \"c:\\my files\\e.txt\" /H 1052 /T", 1052, "c:\\my files\\e.txt", "", true},
        {"/F \"/home/u/a b.txt\" /N Host", 0, "/home/u/a b.txt", "Host", false},
        {"/F a b", 0, "a", "", false},
        {"/Fc:\\e.txt/T", 0, "c:\\e.txt", "", true},
        {"/F a\tb", 0, "a", "", false},
        {"/F a\"b\" /T", 0, "ab", "", true},
        {"/F \"a b /T", 0, "a b /T", "", false},
        {"/F \"\" /N \"\"", 0, "", "", false},
    });
}

TEST(CommandLineTest, BlanksAroundSwitchLetter) {
    ExpectAll({
        {"/ F name", 0, "name", "", false},
        {"/\t N \t host", 0, "", "host", false},
        {"/ T", 0, "", "", true},
    });
}

TEST(CommandLineTest, HostIsSignedDecimalAndClamped) {
    ExpectAll({
        {"/H 0x1A", 0, "", "", false},
        {"/H -5", -5, "", "", false},
        {"/H +12abc", 12, "", "", false},
        {"/H", 0, "", "", false},
        {"/H /T", 0, "", "", true},
        {"/H 2147483647", kMax, "", "", false},
        {"/H 2147483648", kMax, "", "", false},
        {"/H -2147483649", kMin, "", "", false},
        {"/H 99999999999999999999", kMax, "", "", false},
        {"/H -2147483648", kMin, "", "", false},
        {"/H -99999999999999999999", kMin, "", "", false},
    });
}

TEST(CommandLineTest, SwitchesWithoutValueOrUnknown) {
    ExpectAll({
        {"/F", 0, "", "", false},
        {"/F /N x", 0, "", "x", false},
        {"/X /Q y /F z", 0, "z", "", false},
        {"//F x", 0, "x", "", false},
        {"/F x /", 0, "x", "", false},
        {"junk before /F x", 0, "x", "", false},
    });
}

TEST(CommandLineTest, SwitchTwiceKeepsLastValue) {
    ExpectAll({
        {"/F a /F b", 0, "b", "", false},
        {"/F a /F", 0, "", "", false},
        {"/H 1 /H 2", 2, "", "", false},
        {"/N Model /f c:\\tmp\\e.txt", 0, "c:\\tmp\\e.txt", "Model", false},
    });
}

TEST(CommandLineTest, LegacyForm) {
    ExpectAll({
        {"123", 123, "", "", false},
        {"c:\\e.txt", 0, "c:\\e.txt", "", false},
        {"1052 c:\\tmp\\e.txt", 1052, "c:\\tmp\\e.txt", "", false},
        {"1052 \"c:\\my files\\e.txt\"", 1052, "c:\\my files\\e.txt", "", false},
        {"1052\"e.txt\"", 1052, "e.txt", "", false},
        {"123abc", 123, "abc", "", false},
        {"-5 \t name", -5, "name", "", false},
        {"0 e.txt", 0, "0 e.txt", "", false},
        // A leading blank stops the skipping at once.
        {" 12 x", 12, "12 x", "", false},
        {"99999999999 e", kMax, "e", "", false},
    });
}

TEST(CommandLineTest, LegacyFormStopsAtWindows1251Letters) {
    // 0xD4 0xE0 0xE9 0xEB is a Cyrillic word; 0x98 and 0xB9 are not letters.
    ExpectAll({
        {"7\xD4\xE0\xE9\xEB.txt", 7, "\xD4\xE0\xE9\xEB.txt", "", false},
        {"7\x98\xB9z", 7, "z", "", false},
    });
}

TEST(CommandLineTest, SlashTurnsLegacyLineIntoSwitches) {
    ExpectAll({{"123 c:/tmp/file.txt", 0, "ile.txt", "", true}});
}

TEST(CommandLineTest, JoinArgumentsQuotesPathsButNotSwitches) {
    const std::string line =
        CommandLine::JoinArguments({"/F", "/home/u/model.txt", "/N", "Host", "/t"});
    EXPECT_EQ(line, "/F \"/home/u/model.txt\" /N Host /t");
    ExpectParse({line.c_str(), 0, "/home/u/model.txt", "Host", true});
}

TEST(CommandLineTest, JoinArgumentsEdgeArguments) {
    EXPECT_EQ(CommandLine::JoinArguments({}), "");
    EXPECT_EQ(CommandLine::JoinArguments({"/F", "", "/T"}), "/F \"\" /T");
    EXPECT_EQ(CommandLine::JoinArguments({"", "x"}), "\"\" x");
    EXPECT_EQ(CommandLine::JoinArguments({"/F", "a\"b c\""}), "/F \"ab c\"");
    EXPECT_EQ(CommandLine::JoinArguments({"/F", "a\tb"}), "/F \"a\tb\"");
    EXPECT_EQ(CommandLine::JoinArguments({"1052", "e.txt"}), "1052 e.txt");
    ExpectParse({CommandLine::JoinArguments({"/F", "", "/T"}).c_str(), 0, "", "", true});
}

TEST(CommandLineTest, JoinedRandomArgumentsParseBack) {
    std::mt19937 rng(1251);
    std::uniform_int_distribution<int> byte(1, 255);
    std::uniform_int_distribution<int> length(0, 12);
    auto randomValue = [&] {
        std::string v;
        for (int n = length(rng); n > 0; --n) {
            const char c = static_cast<char>(byte(rng));
            v.push_back(c == '"' ? '/' : c);
        }
        // A value shaped like a switch would be read as one.
        if (v.size() == 2 && v[0] == '/')
            v += "x";
        return v;
    };
    for (int i = 0; i < 2000; ++i) {
        const std::string file = randomValue();
        const std::string server = randomValue();
        const int32_t host = static_cast<int32_t>(rng());
        const std::string line = CommandLine::JoinArguments(
            {"/N", server, "/H", std::to_string(host), "/F", file, "/T"});
        SCOPED_TRACE(line);
        const CommandLine cl = CommandLine::Parse(line);
        ASSERT_EQ(cl.m_strFileName, file);
        ASSERT_EQ(cl.m_strServerName, server);
        ASSERT_EQ(cl.m_hHostWnd, host);
        ASSERT_TRUE(cl.m_bTopmost);
    }
}

TEST(CommandLineTest, RandomBytesParseToWellFormedFields) {
    std::mt19937 rng(20240611);
    const std::string alphabet = "/FfNnHhTtX \t\"0123456789-+";
    std::uniform_int_distribution<int> pick(0, 511);
    std::uniform_int_distribution<int> length(0, 80);
    for (int i = 0; i < 20000; ++i) {
        std::string line;
        for (int n = length(rng); n > 0; --n) {
            const int p = pick(rng);
            line.push_back(p < 256 ? static_cast<char>(p) : alphabet[p % alphabet.size()]);
        }
        const CommandLine cl = CommandLine::Parse(line);
        ASSERT_EQ(cl.m_strFileName.find('"'), std::string::npos) << line;
        ASSERT_EQ(cl.m_strServerName.find('"'), std::string::npos) << line;
        ASSERT_LE(cl.m_strFileName.size(), line.size());
        ASSERT_LE(cl.m_strServerName.size(), line.size());
        if (line.find('/') == std::string::npos) {
            ASSERT_TRUE(cl.m_strServerName.empty());
            ASSERT_FALSE(cl.m_bTopmost);
        }
    }
}

// The argument vector as the editor reads it; "existing" files are those the
// test's predicate names.
TEST(CommandLineTest, SingleExistingFileOpensAsWithF) {
    const auto isFile = [](const std::string& path) {
        return path == "/home/u/model.txt" || path == "a b.txt" || path == "/T" || path == "1052";
    };
    struct Case {
        std::vector<std::string> args;
        int32_t host;
        const char* file;
        bool topmost;
    };
    const Case cases[] = {
        // Exactly one existing file: as if given after /F, "/" and blanks kept.
        {{"/home/u/model.txt"}, 0, "/home/u/model.txt", false},
        {{"a b.txt"}, 0, "a b.txt", false},
        {{"1052"}, 0, "1052", false},
        // A switch stays a switch, even where a file of that name exists.
        {{"/T"}, 0, "", true},
        // Anything else follows the one-line grammar.
        {{"/home/u/missing.txt"}, 0, "", false},
        {{"/home/u/model.txt", "/T"}, 0, "", true},
        {{"1052", "model.txt"}, 1052, "model.txt", false},
        {{"/F", "/home/u/model.txt"}, 0, "/home/u/model.txt", false},
        {{}, 0, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CommandLine::JoinArguments(c.args));
        const CommandLine cl = CommandLine::FromArguments(c.args, isFile);
        EXPECT_EQ(cl.m_hHostWnd, c.host);
        EXPECT_EQ(cl.m_strFileName, c.file);
        EXPECT_EQ(cl.m_bTopmost, c.topmost);
    }
    EXPECT_EQ(CommandLine::FromArguments({"x.txt"}, nullptr).m_strFileName, "x.txt");
}

TEST(CommandLineTest, ExistingFileMeansARegularFile) {
    const std::string folder = ::testing::TempDir();
    EXPECT_FALSE(CommandLine::IsExistingFile(folder));
    EXPECT_FALSE(CommandLine::IsExistingFile(""));
    EXPECT_FALSE(CommandLine::IsExistingFile(folder + "/no-such-file.txt"));
    EXPECT_TRUE(CommandLine::IsExistingFile("/proc/self/status"));
}

TEST(CommandLineTest, UnknownOptionsAreNamed) {
    constexpr CommandLine::Option kOptions[] = {{"--help", false}, {"--keys", true}};
    struct Case {
        std::vector<std::string> args;
        const char* unknown;
    };
    const Case cases[] = {
        {{"--print-txt", "m.txt"}, "--print-txt"},
        {{"/F", "m.txt", "--T"}, "--T"},
        {{"--"}, "--"},
        {{"--help"}, ""},
        {{"--keys", "--x", "m.txt"}, ""},
        {{"--keys"}, ""},
        {{"-", "/F", "-x", "a--b"}, ""},
        {{"--keys", "a", "--help=1"}, "--help=1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CommandLine::JoinArguments(c.args));
        EXPECT_EQ(CommandLine::UnknownOption(c.args, kOptions), c.unknown);
    }
}

TEST(CommandLineTest, ProgramNameIsTheLastPartOfArgvZero) {
    EXPECT_EQ(CommandLine::ProgramName("/usr/bin/vexlor-gui", "x"), "vexlor-gui");
    EXPECT_EQ(CommandLine::ProgramName("vexlor", "x"), "vexlor");
    EXPECT_EQ(CommandLine::ProgramName("", "vexlor"), "vexlor");
    EXPECT_EQ(CommandLine::ProgramName(nullptr, "vexlor"), "vexlor");
    EXPECT_EQ(CommandLine::ProgramName("dir/", "vexlor"), "vexlor");
}
