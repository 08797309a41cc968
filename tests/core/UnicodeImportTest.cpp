// Text from other programs into Windows-1251: the mapping table, the count
// of characters that became '?', the first line only, and the notice the
// editor shows on Paste.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TreeCheck.h"
#include "platform/MemoryClipboard.h"
#include "platform/UnicodeImport.h"

namespace {

struct Case {
    const char* utf8;
    const char* text; // Windows-1251
    int replaced;
    bool moreLines;
};

// clang-format off
const Case kCases[] = {
    {"z = \xCE\xB1*\xCE\xB2 \xE2\x88\x92 \xCE\xB3;", "z = alpha*beta - gamma;", 0, false},
    {"a \xE2\x80\x93 b",                 "a - b",               0, false}, // en dash
    {"a\xC3\x97" "b\xC2\xB7" "c\xE2\x8B\x85" "d\xE2\x88\x99" "e", "a*b*c*d*e", 0, false},
    {"a\xC3\xB7" "b\xE2\x88\x95" "c",    "a/b/c",               0, false},
    {"\xCE\xA9 \xCF\x89 \xCE\x91 \xCF\x82", "Omega omega Alpha sigma", 0, false},
    {"\xCF\x91\xCF\x95\xCF\xB5",         "thetaphiepsilon",     0, false},
    {"x\xC2\xB2 + y\xC2\xB3",            "x**2 + y**3",         0, false},
    {"a\xC2\xA0" "b\xE2\x80\x83" "c\xE3\x80\x80" "d", "a b c d", 0, false}, // NBSP, em, ideographic
    {"\xD0\xB6 = \xD1\x8F",              "\xE6 = \xFF",         0, false},   // Cyrillic keeps its bytes
    {"\xE2\x82\xAC",                     "\x88",                0, false},   // the euro sign has one
    {"x = \xE4\xB8\xAD + \xF0\x9F\x98\x80", "x = ? + ?",        2, false},   // CJK, emoji
    {"a\xFF" "b\xC3",                    "a?b?",                2, false},   // malformed bytes
    {"\xC0\xAF\xED\xA0\x80",             "??",                  2, false},   // overlong, surrogate
    {"a = 1\r\nb = 2\n",                 "a = 1",               0, true},
    {"a = 1\n\n  \n",                    "a = 1",               0, false},
    {"a\xE2\x80\xA8" "b",                "a",                   0, true},    // line separator
    {"",                                 "",                    0, false},
};
// clang-format on

TEST(UnicodeImport, MappingTable) {
    for (const Case& c : kCases) {
        UnicodeImport::Result r = UnicodeImport::FirstLine(c.utf8);
        EXPECT_EQ(r.text, c.text) << c.utf8;
        EXPECT_EQ(r.replaced, c.replaced) << c.utf8;
        EXPECT_EQ(r.moreLines, c.moreLines) << c.utf8;
    }
}

TEST(UnicodeImport, NoticeSaysWhatWasLost) {
    EXPECT_EQ(UnicodeImport::Notice({"x", 0, false}), "");
    std::string replaced = UnicodeImport::Notice({"?", 3, false});
    EXPECT_NE(replaced.find("Windows-1251"), std::string::npos);
    EXPECT_NE(replaced.find(": 3."), std::string::npos);
    std::string lines = UnicodeImport::Notice({"x", 0, true});
    // "Вставлена только первая строка."
    EXPECT_EQ(lines, "\xC2\xF1\xF2\xE0\xE2\xEB\xE5\xED\xE0 \xF2\xEE\xEB\xFC\xEA\xEE "
                     "\xEF\xE5\xF0\xE2\xE0\xFF \xF1\xF2\xF0\xEE\xEA\xE0.");
    EXPECT_EQ(UnicodeImport::Notice({"?", 1, true}),
              UnicodeImport::Notice({"?", 1, false}) + " " + lines);
}

// Paste reads the Unicode text, keeps the first line and says in red what
// it changed.
TEST(UnicodeImport, PasteShowsTheNoticeInRed) {
    TestEditor ed;
    ed.data->Reset();
    auto* clipboard = static_cast<CMemoryClipboard*>(ed.wnd->GetClipboard());
    clipboard->SetUnicodeText("z = \xCE\xB1 \xE4\xB8\xAD\nsecond");
    ASSERT_TRUE(ed.data->Paste());
    EXPECT_EQ(ed.data->GetText(), "z = alpha ?;");
    EXPECT_TRUE(ed.wnd->m_bStatusError);
    EXPECT_NE(ed.wnd->m_strStatus.find(": 1."), std::string::npos);
    EXPECT_NE(ed.wnd->m_strStatus.find("\xF1\xF2\xF0\xEE\xEA\xE0."), std::string::npos);
}

} // namespace
