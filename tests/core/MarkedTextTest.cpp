#include "app/MarkedText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct Expected {
    std::string text;
    std::string cleaned;
    int line;
    std::string message;
};

void ExpectAll(const std::vector<Expected>& cases) {
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.text);
        const MarkedText m = MarkedText::Split(e.text);
        EXPECT_EQ(m.m_strText, e.cleaned);
        EXPECT_EQ(m.m_nLine, e.line);
        EXPECT_EQ(m.m_strMessage, e.message);
    }
}
} // namespace

TEST(MarkedTextTest, TextWithoutMarkerIsUnchanged) {
    ExpectAll({
        {"", "", -1, ""},
        {"a = b;\r\nc = d;\n", "a = b;\r\nc = d;\n", -1, ""},
    });
}

TEST(MarkedTextTest, ThreeLineExample) {
    ExpectAll({
        {"a = b + c;\nx = y ~ Bad name y\nz = 1;", "a = b + c;\nx = y \nz = 1;", 1, "Bad name y"},
        {"a = b + c;\r\nx = y ~ Bad name y\r\nz = 1;\r\n", "a = b + c;\r\nx = y \r\nz = 1;\r\n", 1,
         "Bad name y"},
    });
}

TEST(MarkedTextTest, EachKindOfLineBreakCountsOnce) {
    ExpectAll({
        {"~ m", "", 0, "m"},
        {"a\r\n~ m", "a\r\n", 1, "m"},
        {"a\n\r~ m", "a\n\r", 1, "m"},
        {"a\r~ m", "a\r", 1, "m"},
        {"a\n~ m", "a\n", 1, "m"},
        {"\n\n~ m", "\n\n", 2, "m"},
        {"\r\r~ m", "\r\r", 2, "m"},
        {"\r\n\n\rb\r\n\r\n~ m", "\r\n\n\rb\r\n\r\n", 4, "m"},
        {"\n\r\n~ m", "\n\r\n", 2, "m"},
    });
}

TEST(MarkedTextTest, MessageEndsAtLineBreak) {
    ExpectAll({
        {"x~ msg\rnext", "x\rnext", 0, "msg"},
        {"x~ msg\nnext", "x\nnext", 0, "msg"},
        {"x~!msg", "x", 0, "msg"},
        {"x~  two blanks ", "x", 0, " two blanks "},
    });
}

TEST(MarkedTextTest, MarkerAtEndOrBeforeLineBreak) {
    ExpectAll({
        {"x = 1~", "x = 1", 0, ""},
        {"a\nx = 1~", "a\nx = 1", 1, ""},
        {"x~ ", "x", 0, ""},
        {"x = y~\r\nz;", "x = y\r\nz;", 0, ""},
        {"x = y~\nz;", "x = y\nz;", 0, ""},
        {"x = y~\rz;", "x = y\rz;", 0, ""},
        {"x~ \r\nz;", "x\r\nz;", 0, ""},
    });
}

TEST(MarkedTextTest, OnlyFirstMarkerCounts) {
    ExpectAll({{"a~ one\nb~ two", "a\nb~ two", 0, "one"}});
}

TEST(MarkedTextTest, CyrillicBytesKept) {
    // Windows-1251 bytes, including 0xFF and the unassigned 0x98.
    ExpectAll({{"\xE0 = \xFF;\r\n\xC0\x98 ~ \xCE\xF8\xE8\xE1\xEA\xE0\r\n-- \xFF",
                "\xE0 = \xFF;\r\n\xC0\x98 \r\n-- \xFF", 1, "\xCE\xF8\xE8\xE1\xEA\xE0"}});
}
