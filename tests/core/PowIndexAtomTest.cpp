// The power index atom: a base with a low and a high index. Text frames,
// composing order, layout on the headless metrics, hit tests, the stored
// image and the fonts it draws in. What it shares with the index atom is
// tested in IndexKindsAtomTest.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AtomBuilders.h"
#include "RecordingDC.h"
#include "TreeCheck.h"

namespace {

CEqExpr* Bracketed(const TestEditor& ed, const std::string& inner) {
    return RowWith(ed, BracketsAround(ed, ed.RowOf(inner)));
}

TEST(PowIndexAtomText, Frames) {
    TestEditor ed;
    EXPECT_EQ(TextOf(ed, NewPow(ed, "x", "i", "2")), " x[i] ** 2 ");
    EXPECT_EQ(TextOf(ed, NewPow(ed, "a+b", "k", "n-1")), "( a+b )[k] ** ( n-1 )");
    EXPECT_EQ(TextOf(ed, NewPow(ed, "", "", "")), "( ? )[?] ** ( ? )");
    // The low index is never bracketed; a blank one is "?".
    EXPECT_EQ(TextOf(ed, NewPow(ed, "x", "i+1", "")), " x[i+1] ** ( ? )");
    EXPECT_EQ(TextOf(ed, NewPow(ed, "x", "  ", "2")), " x[?] ** 2 ");
    // The base "e" has no exponential form here.
    EXPECT_EQ(TextOf(ed, NewPow(ed, "e", "1", "x")), " e[1] ** x ");
}

TEST(PowIndexAtomText, OperandsOfStructures) {
    TestEditor ed;
    EXPECT_EQ(TextOf(ed, NewPow(ed, Bracketed(ed, "a+b"), ed.RowOf("k"), Bracketed(ed, "n-1"))),
              "( a+b )[k] ** ( n-1 )");
    // A low index base stays bare (two spaces: the one put in front and its own).
    CEqPowIndex* a =
        NewPow(ed, RowWith(ed, NewIndex(ed, "y", "j", false)), ed.RowOf("i"), ed.RowOf("2"));
    EXPECT_EQ(TextOf(ed, a), "  y[j][i] ** 2 ");
    // Powers as base or high index are bracketed.
    CEqPowIndex* b = NewPow(ed, RowWith(ed, NewIndex(ed, "y", "2", true)), ed.RowOf("i"),
                            RowWith(ed, NewIndex(ed, "z", "3", true)));
    EXPECT_EQ(TextOf(ed, b), "(  y ** 2  )[i] ** (  z ** 3  )");
    // A power index inside a power index is bracketed too.
    CEqPowIndex* c =
        NewPow(ed, RowWith(ed, NewPow(ed, "x", "i", "2")), ed.RowOf("j"), ed.RowOf("3"));
    EXPECT_EQ(TextOf(ed, c), "(  x[i] ** 2  )[j] ** 3 ");
}

TEST(PowIndexAtomText, WritingTrimsAllThreeRows) {
    TestEditor ed;
    CEqPowIndex* atom = NewPow(ed, " x ", "  i", "2  ");
    std::unique_ptr<CEqExpr> top(RowWith(ed, atom));
    EXPECT_EQ(top->ToText(false), " x[i] ** 2 ");
    EXPECT_EQ(atom->m_pBase->GetCount(), 2);
    EXPECT_EQ(atom->m_pLow->GetCount(), 2);
    EXPECT_EQ(atom->m_pHigh->GetCount(), 2);
    EXPECT_EQ(CheckTree(*top, ed.data.get()), "");
    // PeekText leaves the spaces where they are.
    CEqPowIndex* spaced = NewPow(ed, " y ", "j", "3");
    std::unique_ptr<CEqExpr> top2(RowWith(ed, spaced));
    EXPECT_EQ(spaced->PeekText(), " y[j] ** 3 ");
    EXPECT_EQ(spaced->m_pBase->GetCount(), 4);
}

// An atom that records when its row composes it.
class ComposeSpy : public CEqAtom {
  public:
    ComposeSpy(std::vector<std::string>* log, std::string name, int formed)
        : m_pLog(log), m_strName(std::move(name)), m_nFormed(formed) {}
    int Compose() override {
        m_pLog->push_back(m_strName);
        return m_nFormed;
    }
    std::unique_ptr<CEqAtom> Clone() const override {
        return std::make_unique<ComposeSpy>(m_pLog, m_strName, m_nFormed);
    }

  private:
    std::vector<std::string>* m_pLog;
    std::string m_strName;
    int m_nFormed;
};

TEST(PowIndexAtomStructure, ComposeRunsLowHighBase) {
    TestEditor ed;
    std::vector<std::string> log;
    std::unique_ptr<CEqPowIndex> atom(NewPow(ed, RowWith(ed, new ComposeSpy(&log, "base", 100)),
                                             RowWith(ed, new ComposeSpy(&log, "low", 1)),
                                             RowWith(ed, new ComposeSpy(&log, "high", 10))));
    EXPECT_EQ(atom->Compose(), 111);
    EXPECT_EQ(log, (std::vector<std::string>{"low", "high", "base"}));

    log.clear();
    auto* index = new CEqIndex;
    index->m_pOwner = ed.data.get();
    index->SetRows(RowWith(ed, new ComposeSpy(&log, "base", 5)),
                   RowWith(ed, new ComposeSpy(&log, "index", 7)));
    std::unique_ptr<CEqIndex> owned(index);
    EXPECT_EQ(index->Compose(), 12);
    EXPECT_EQ(log, (std::vector<std::string>{"base", "index"}));
}

// Layout on the headless metrics: M = 11x20, S = 8x14, so M.cx/4 = 2,
// t = S.cy/2 = 7 and q = t/2 = 3. Regular "x" is a 13x20 row (anchor y 10);
// a small one-letter row is 10x14 (anchor y 7).
TEST(PowIndexAtomLayout, BothIndexesBesideTheBase) {
    TestEditor ed;
    CEqPowIndex* atom = NewPow(ed, "x", "i", "2");
    std::unique_ptr<CEqExpr> top(RowWith(ed, atom));
    ed.Layout(top.get());
    // width = max(10, 10) + 13 + 2 + 1 = 26.
    // height = 20 + 14 + 14 - 7 = 41; low: 7 < 20 - 10, so -7 = 34;
    // high: 10 > 14 - 7, so + 7 - 14 = 27, anchor y = 10 - 3 + 7 = 14.
    EXPECT_EQ(atom->m_size, (SIZE{26, 27}));
    EXPECT_EQ(atom->m_ptAnchor, (POINT{13, 14}));
    EXPECT_EQ(atom->m_rect, (RECT{0, 0, 26, 27}));
    EXPECT_EQ(atom->m_pBase->m_rect, (RECT{1, 4, 14, 24}));
    // Both indexes start at 13 + 2 + 1 = 16: low on the bottom, high on top.
    EXPECT_EQ(atom->m_pLow->m_rect, (RECT{16, 13, 26, 27}));
    EXPECT_EQ(atom->m_pHigh->m_rect, (RECT{16, 0, 26, 14}));
    EXPECT_EQ(ed.wnd->m_pDC->GetCurrentFont(), &ed.wnd->m_fontNormal);
}

TEST(PowIndexAtomLayout, TheWiderIndexSetsTheWidth) {
    TestEditor ed;
    CEqPowIndex* atom = NewPow(ed, "x", "ijk", "2");
    std::unique_ptr<CEqExpr> top(RowWith(ed, atom));
    ed.Layout(top.get());
    // Low row 3 * 8 + 2 = 26 wide: width = 26 + 13 + 2 + 1 = 42.
    EXPECT_EQ(atom->m_size.cx, 42);
    EXPECT_EQ(atom->m_ptAnchor.x, 21);
    EXPECT_EQ(atom->m_pLow->m_rect.left, 16);
    EXPECT_EQ(atom->m_pHigh->m_rect.left, 16);
    EXPECT_EQ(atom->m_pLow->m_rect.right, 42);
    EXPECT_EQ(atom->m_pHigh->m_rect.right, 26);
}

TEST(PowIndexAtomLayout, TallIndexesStaySmall) {
    TestEditor ed;
    // High index row holding the low index y[j]: in the small font that is
    // 23x21 with anchor y 7 (10 + 10 + 8/4 + 1 wide; 7 is not below 14 - 7,
    // so 14 - 3 + 7 + 3 high), its row 25x21, anchor y 7.
    // height = 20 + 14 + 21 - 7 = 48; low: 7 < 10, -7 = 41; high: 10 is not
    // above 21 - 7, so + 3 - 10 = 34, anchor y = 21 - 3 + 3 = 21.
    // width = max(10, 25) + 13 + 2 + 1 = 41.
    CEqIndex* inner = NewIndex(ed, "y", "j", false);
    CEqPowIndex* atom = NewPow(ed, ed.RowOf("x"), ed.RowOf("i"), RowWith(ed, inner));
    std::unique_ptr<CEqExpr> top(RowWith(ed, atom));
    ed.Layout(top.get());
    EXPECT_EQ(inner->m_size, (SIZE{23, 21}));
    EXPECT_EQ(inner->m_pIndex->GetAt(0)->m_size, (SIZE{8, 14}));
    EXPECT_EQ(atom->m_size, (SIZE{41, 34}));
    EXPECT_EQ(atom->m_ptAnchor, (POINT{20, 21}));
    EXPECT_EQ(atom->m_pBase->m_rect, (RECT{1, 11, 14, 31}));
    EXPECT_EQ(atom->m_pLow->m_rect, (RECT{16, 20, 26, 34}));
    EXPECT_EQ(atom->m_pHigh->m_rect, (RECT{16, 0, 41, 21}));
    // Inner index from 16 + 10 + 2 + 1 = 29, bottom on the inner atom's.
    EXPECT_EQ(inner->m_pIndex->m_rect, (RECT{29, 7, 39, 21}));

    // Low index row holding the power y**k (small: 23x21, anchor y 14; its
    // row 25x21, anchor y 14): 14 is not below 10, so height = 48 - (20 -
    // 10 - 3) = 41, then the high "2": + 7 - 14 = 34, anchor y 14.
    CEqPowIndex* deep =
        NewPow(ed, ed.RowOf("x"), RowWith(ed, NewIndex(ed, "y", "k", true)), ed.RowOf("2"));
    std::unique_ptr<CEqExpr> top2(RowWith(ed, deep));
    ed.Layout(top2.get());
    EXPECT_EQ(deep->m_size, (SIZE{41, 34}));
    EXPECT_EQ(deep->m_ptAnchor, (POINT{20, 14}));
    EXPECT_EQ(deep->m_pLow->m_rect, (RECT{16, 13, 41, 34}));
    EXPECT_EQ(deep->m_pHigh->m_rect, (RECT{16, 0, 26, 14}));
    EXPECT_EQ(ed.wnd->m_pDC->GetCurrentFont(), &ed.wnd->m_fontNormal);
}

// x[i]**2: base 1,4-14,24; low 16,13-26,27; high 16,0-26,14.
TEST(PowIndexAtomHitTest, LowThenBaseThenHigh) {
    TestEditor ed;
    CEqPowIndex* atom = NewPow(ed, "x", "i", "2");
    std::unique_ptr<CEqExpr> top(RowWith(ed, atom));
    ed.Layout(top.get());
    struct Case {
        POINT pt;
        CEqExpr* row;
    };
    const Case clicks[] = {
        {{5, 20}, atom->m_pBase.get()},  // on the base, level with the low row
        {{5, 8}, atom->m_pBase.get()},   // on the base, level with the high row
        {{20, 10}, atom->m_pHigh.get()}, // on the high row, level with the base
        {{20, 2}, atom->m_pHigh.get()},  // above the base
        {{20, 26}, atom->m_pLow.get()},  // on the low row, below the base
        {{15, 10}, atom->m_pBase.get()}, // between the rows: clamped, base first
    };
    for (const Case& c : clicks) {
        POINT p = c.pt;
        EXPECT_TRUE(top->HitTest(&p)) << c.pt.x << "," << c.pt.y;
        EXPECT_EQ(ed.data->CurrentRow(), c.row) << c.pt.x << "," << c.pt.y;
    }
    // A drag inside one row stays in it; otherwise the base is asked first,
    // then the low and the high row.
    const Case drags[] = {
        {{17, 20}, atom->m_pLow.get()},
        {{17, 25}, atom->m_pLow.get()},
        {{17, 2}, atom->m_pHigh.get()},
    };
    for (const Case& c : drags) {
        POINT from = c.pt;
        POINT to{25, c.pt.y};
        EXPECT_TRUE(top->HitTestRange(&from, &to)) << c.pt.y;
        EXPECT_EQ(ed.data->CurrentRow(), c.row) << c.pt.y;
    }
}

TEST(PowIndexAtomStorage, RoundTrip) {
    TestEditor ed;
    CEqPowIndex* atom =
        NewPow(ed, ed.RowOf("x"), ed.RowOf("i"), RowWith(ed, NewIndex(ed, "y", "j", false)));
    std::unique_ptr<CEqExpr> top(RowWith(ed, atom));
    ed.Layout(top.get());
    std::unique_ptr<CEqExpr> loaded = LoadWhole(ed, Store(*top));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(CheckTree(*loaded, ed.data.get()), "");
    ASSERT_TRUE(loaded->GetAt(0)->IsClass("CEqPowIndex"));
    // Same classes, kinds and geometry all the way down.
    ExpectSameRow(*top, *loaded);
    auto* copy = static_cast<CEqPowIndex*>(loaded->GetAt(0));
    ASSERT_TRUE(copy->m_pHigh->GetAt(0)->IsClass("CEqIndex"));
    auto* inner = static_cast<CEqIndex*>(copy->m_pHigh->GetAt(0));
    EXPECT_EQ(inner->m_bHigh, 0);
    EXPECT_EQ(inner->m_pIndex->GetAt(0)->m_rect, (RECT{29, 7, 37, 21}));
    EXPECT_EQ(loaded->PeekText(), " x[i] **  y[j] ");
    EXPECT_EQ(loaded->PeekText(), top->PeekText());
}

TEST(PowIndexAtomStorage, RowsFollowTheBaseRecordDirectly) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewPow(ed, "", "", "")));
    std::vector<uint8_t> image = Store(*top);
    // Row base (32), count (4), "CEqPowIndex" (1 + 11), atom base (32), then
    // three empty rows of 77 bytes and the end atom's entry (9 + 32).
    EXPECT_EQ(image.size(), 32u + 4 + 12 + 32 + 3 * 77 + 41);
    EXPECT_EQ(image[36], 11);
    // The base row's record starts right after the atom's base record: its
    // atom count (after its own 32 bytes) is 1.
    size_t baseRow = 32 + 4 + 12 + 32;
    EXPECT_EQ(image[baseRow + 32], 1);
    EXPECT_EQ(image[baseRow + 36], 8); // "CEqEmpty"
}

// Drawing.
const CFont* FontOf(const CRecordingDC& rec, const std::string& text) {
    const CFont* font = nullptr;
    int count = 0;
    for (const auto& call : rec.CallsOf("DrawText"))
        if (call.text == text && !(static_cast<unsigned>(call.args[4]) & DT_CALCRECT)) {
            font = call.font;
            ++count;
        }
    EXPECT_EQ(count, 1) << text;
    return font;
}

TEST(PowIndexAtomDraw, IndexesSmallBaseInTheSurroundingFont) {
    CRecordingDC rec;
    TestEditor ed(&rec);
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewPow(ed, "e", "i", "x")));
    // The same atom inside a low index draws its base small as well.
    top->Append(NewIndex(ed, "q", "", false));
    auto* holder = static_cast<CEqIndex*>(top->GetAt(1));
    holder->m_pIndex->Append(NewPow(ed, "y", "j", "k"));
    ed.Layout(top.get());
    rec.Clear();
    CFont* font = rec.GetCurrentFont();
    CPen* pen = rec.GetCurrentPen();
    top->Draw();
    EXPECT_EQ(rec.GetCurrentFont(), font);
    EXPECT_EQ(rec.GetCurrentPen(), pen);
    // No bold "e" for this atom.
    EXPECT_EQ(FontOf(rec, "e"), &ed.wnd->m_fontNormal);
    EXPECT_EQ(FontOf(rec, "i"), &ed.wnd->m_fontSmall);
    EXPECT_EQ(FontOf(rec, "x"), &ed.wnd->m_fontSmall);
    EXPECT_EQ(FontOf(rec, "y"), &ed.wnd->m_fontSmall);
    EXPECT_EQ(FontOf(rec, "j"), &ed.wnd->m_fontSmall);
    EXPECT_EQ(FontOf(rec, "k"), &ed.wnd->m_fontSmall);
}

} // namespace
