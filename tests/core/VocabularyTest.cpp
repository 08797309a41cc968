// The keyword, predefined-name and function recognisers, and bold drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "RecordingDC.h"
#include "TreeCheck.h"
#include "atoms/EqBrackets.h"
#include "platform/Charset.h"
#include "platform/HeadlessDC.h"
#include "rows/Vocabulary.h"

namespace {

using RowPtr = std::unique_ptr<CEqExpr>;

struct Case {
    const char* text;
    int pos;
    int expected;
};

TEST(Vocabulary, TablesHaveTheirCountsAndLongestEntries) {
    size_t longest = 0;
    for (auto k : Vocabulary::kKeywords)
        longest = std::max(longest, k.size());
    EXPECT_EQ(longest, size_t{Vocabulary::kKeywordLongest});
    longest = 0;
    for (auto k : Vocabulary::kNames)
        longest = std::max(longest, k.size());
    EXPECT_EQ(longest, size_t{Vocabulary::kNameLongest});
    longest = 0;
    for (auto k : Vocabulary::kFunctions)
        longest = std::max(longest, k.size());
    EXPECT_EQ(longest, size_t{Vocabulary::kFunctionLongest});
    EXPECT_EQ(Vocabulary::kFunctions.front(), "abs");
    EXPECT_EQ(Vocabulary::kFunctions[56], "minfun");
    EXPECT_EQ(Vocabulary::kFunctions.back(), "root");
}

TEST(KeywordRecogniser, ForwardMatches) {
    TestEditor t;
    const Case cases[] = {
        {"then", 0, 4},  {"then x", 0, 4}, {"then(", 0, 4}, {"thenx", 0, 0},  {"THEN", 0, 4},
        {"xor y", 1, 0}, {"xor y", 0, 0},  {"int", 0, 0},   {"order", 0, 0},  {"a or b", 2, 2},
        {" | ", 1, 1},   {"a|b", 1, 1},    {"if x", 0, 2},  {"\xE0if", 1, 0}, {"\xFFif", 1, 0},
        {"not x", 0, 3}, {"Mod", 0, 3},    {"div2", 0, 0},  {"a", 5, 0},      {"in.x", 0, 0},
    };
    for (const Case& c : cases) {
        RowPtr row(t.RowOf(c.text));
        EXPECT_EQ(row->MatchKeyword(c.pos, false), c.expected) << c.text << " @" << c.pos;
    }
}

TEST(KeywordRecogniser, BackwardMatches) {
    TestEditor t;
    const Case cases[] = {
        {"x and", 4, 3}, {"x andy", 4, 0}, {"band", 3, 0},   {"a or", 3, 2},
        {"a|", 1, 1},    {"if", 1, 2},     {"a then", 5, 4},
    };
    for (const Case& c : cases) {
        RowPtr row(t.RowOf(c.text));
        EXPECT_EQ(row->MatchKeyword(c.pos, true), c.expected) << c.text << " @" << c.pos;
    }
}

TEST(KeywordRecogniser, NotBeforeABracketAtom) {
    TestEditor t;
    RowPtr row(t.RowOf("not"));
    auto* b = new CEqBrackets;
    b->m_pOwner = t.data.get();
    b->SetRow(t.RowOf("x"));
    row->Append(b);
    EXPECT_EQ(row->MatchKeyword(0, false), 3);
    EXPECT_EQ(row->MatchKeyword(3, false), 0); // a compound atom is no keyword
}

TEST(NameRecogniser, PredefinedNames) {
    TestEditor t;
    const Case cases[] = {
        {"Time", 0, 4},      {"time", 0, 4},      {"Times", 0, 0},
        {"LocalTime", 0, 9}, {"LocalTime", 5, 0}, {"MainWinHandle+1", 0, 13},
        {"xTime", 1, 0},     {"Time.x", 0, 0},    {"time ", 0, 4},
    };
    for (const Case& c : cases) {
        RowPtr row(t.RowOf(c.text));
        EXPECT_EQ(row->MatchName(c.pos), c.expected) << c.text << " @" << c.pos;
    }
}

TEST(FunctionRecogniser, NamesFollowedByABracket) {
    TestEditor t;
    const Case cases[] = {
        {"sin(x)", 0, 3},
        {"sin (x)", 0, 3},
        {"sin x", 0, 0},
        {"sin", 0, 0},
        {"minfun(a)", 0, 6},
        {"min(a)", 0, 3},
        {"sinh(x)", 0, 0},
        {"Sin(x)", 0, 3},
        {"vectorfromfile(", 0, 14},
        {"asin(x)", 1, 0},
        {"matrixfromfile (f)", 0, 14},
    };
    for (const Case& c : cases) {
        RowPtr row(t.RowOf(c.text));
        EXPECT_EQ(row->MatchFunction(c.pos), c.expected) << c.text << " @" << c.pos;
    }
    RowPtr withAtom(t.RowOf("sqrt "));
    auto* b = new CEqBrackets;
    b->m_pOwner = t.data.get();
    b->SetRow(t.RowOf("2"));
    withAtom->Append(b);
    EXPECT_EQ(withAtom->MatchFunction(0), 4);
}

// The recognisers read an atom with rows as one blank. That holds while no
// longer word holds a blank or bracket and every such atom's text begins
// and ends with one, whatever its rows hold.
TEST(Recognisers, AtomsWithRowsBeginAndEndTheirTextOutsideEveryWord) {
    auto ident = [](char c) { return Charset::IsIdentChar(static_cast<uint8_t>(c)); };
    auto allIdent = [&](const auto& table) {
        for (std::string_view word : table) // one character reads only the symbol matched
            EXPECT_TRUE(word.size() == 1 || std::all_of(word.begin(), word.end(), ident)) << word;
    };
    allIdent(Vocabulary::kKeywords);
    allIdent(Vocabulary::kNames);
    allIdent(Vocabulary::kFunctions);
    TestEditor t;
    const char* lines[] = {
        "x = a/b + sqrt(y)[i] + exp(z)**2 + pow(a[j], k)",
        "d(x)/dt + d2(y)/d tau + d(x)/d(a+b)",
        "(sqrt(x))[i] + ((a))[k]**2 + a[i]**b + sin(x)/x",
        "a/(b/c) + (a)/(b) + /b + a/ + d(x)/",
        "f(x)[i] + x[]**2 + sqrt() + exp() + ()[?] + d(x)/[a]",
    };
    std::function<void(CEqExpr&)> check = [&](CEqExpr& row) {
        for (int i = 0; i + 1 < row.GetCount(); ++i) {
            CEqAtom* atom = row.GetAt(i);
            if (atom->GetRowCount() == 0)
                continue;
            std::string text = atom->PeekText();
            ASSERT_FALSE(text.empty());
            EXPECT_FALSE(ident(text.front()) || ident(text.back())) << text;
            for (CEqExpr* inner : atom->Rows())
                check(*inner);
        }
    };
    for (const char* line : lines) {
        RowPtr row(t.RowOf(line));
        row->Compose();
        check(*row);
    }
}

TEST(Recognisers, NeverChangeTheRowOrCaret) {
    TestEditor t;
    RowPtr row(t.RowOf("not"));
    auto* b = new CEqBrackets;
    b->m_pOwner = t.data.get();
    b->SetRow(t.RowOf("  x  ")); // writing its text would trim these
    row->Append(b);
    t.data->SetSelection(row.get(), 1, 2);
    for (int i = 0; i < row->GetCount(); ++i) {
        row->MatchKeyword(i, false);
        row->MatchKeyword(i, true);
        row->MatchName(i);
        row->MatchFunction(i);
    }
    EXPECT_EQ(b->m_pRow->GetCount(), 6);
    EXPECT_EQ(t.data->AnchorPos(), 1);
    EXPECT_EQ(t.data->CaretPos(), 2);
    EXPECT_EQ(t.data->CurrentRow(), row.get());
}

TEST(Recognisers, PaintingNeverErasesWhatTheyRead) {
    CRecordingDC dc;
    TestEditor t(&dc);
    RowPtr row(t.RowOf("not"));
    auto* b = new CEqBrackets;
    b->m_pOwner = t.data.get();
    b->SetRow(t.RowOf("  x  ")); // its text is written from a trimmed copy
    row->Append(b);
    t.Layout(row.get());
    dc.Clear();
    row->Draw();
    EXPECT_TRUE(dc.CallsOf("FillSolidRect").empty());
    EXPECT_EQ(b->m_pRow->GetCount(), 6);
}

// Records which font each character was drawn in.
class FontRecordingDC : public CHeadlessDC {
  public:
    int DrawText(const std::string& text, RECT* rect, unsigned flags) override {
        if (!(flags & DT_CALCRECT))
            drawn.push_back({text, GetCurrentFont()});
        return CHeadlessDC::DrawText(text, rect, flags);
    }
    std::vector<std::pair<std::string, CFont*>> drawn;
};

TEST(RowDrawing, WordsAreDrawnBoldInTheirSize) {
    FontRecordingDC dc;
    TestEditor t(&dc);
    RowPtr row(t.RowOf("if x|y"));
    t.Layout(row.get());
    row->Draw();
    ASSERT_EQ(dc.drawn.size(), 6u);
    EXPECT_EQ(dc.drawn[0].second, &t.wnd->m_fontBold); // i
    EXPECT_EQ(dc.drawn[1].second, &t.wnd->m_fontBold); // f
    EXPECT_EQ(dc.drawn[2].second, &t.wnd->m_fontNormal);
    EXPECT_EQ(dc.drawn[4].first, "|");
    EXPECT_EQ(dc.drawn[4].second, &t.wnd->m_fontBold);
    EXPECT_EQ(dc.GetCurrentFont(), &t.wnd->m_fontNormal); // restored

    dc.drawn.clear();
    dc.SelectObject(&t.wnd->m_fontSmall);
    row->Draw();
    EXPECT_EQ(dc.drawn[0].second, &t.wnd->m_fontSmallBold);
    EXPECT_EQ(dc.drawn[2].second, &t.wnd->m_fontSmall);
    EXPECT_EQ(dc.GetCurrentFont(), &t.wnd->m_fontSmall);
}

TEST(RowText, ConcatenatesAtomTextsAndSelections) {
    TestEditor t;
    RowPtr row(t.RowOf("  a*b "));
    EXPECT_EQ(row->ToText(false), "  a*b "); // spaces kept at row level
    t.data->SetCaret(row.get(), 3);
    EXPECT_EQ(row->ToText(true), ""); // empty selection
    t.data->SetSelection(row.get(), 5, 2);
    EXPECT_EQ(row->ToText(true), "a*b");
    auto* b = new CEqBrackets;
    b->m_pOwner = t.data.get();
    b->SetRow(t.RowOf(" x "));
    RowPtr withAtom(t.RowOf("2*"));
    withAtom->Append(b);
    EXPECT_EQ(withAtom->ToText(false), "2*( x )");
    EXPECT_EQ(b->m_pRow->GetCount(), 2); // writing trimmed the inner row
}

} // namespace
