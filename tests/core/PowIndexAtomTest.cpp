// The power index atom: a base with a low and a high index. Text frames,
// layout on the headless metrics, navigation, hit tests, storage and drawing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingDC.h"
#include "TreeCheck.h"
#include "atoms/EqBrackets.h"
#include "atoms/EqIndex.h"
#include "atoms/EqPowIndex.h"
#include "elements/EqSymbol.h"
#include "platform/Archive.h"

namespace {

CEqPowIndex* NewPow(const TestEditor& ed, CEqExpr* base, CEqExpr* low, CEqExpr* high) {
    auto* atom = new CEqPowIndex;
    atom->m_pOwner = ed.data.get();
    atom->SetRows(base, low, high);
    return atom;
}

CEqPowIndex* NewPow(const TestEditor& ed, const std::string& base, const std::string& low,
                    const std::string& high) {
    return NewPow(ed, ed.RowOf(base), ed.RowOf(low), ed.RowOf(high));
}

CEqIndex* NewIndex(const TestEditor& ed, const std::string& base, const std::string& index,
                   bool high) {
    auto* atom = new CEqIndex;
    atom->m_pOwner = ed.data.get();
    atom->m_bHigh = high ? 1 : 0;
    atom->SetRows(ed.RowOf(base), ed.RowOf(index));
    return atom;
}

CEqExpr* RowWith(const TestEditor& ed, CEqAtom* atom) {
    CEqExpr* row = ed.NewRow();
    row->Append(atom);
    return row;
}

CEqExpr* Bracketed(const TestEditor& ed, const std::string& inner) {
    auto* brackets = new CEqBrackets;
    brackets->m_pOwner = ed.data.get();
    brackets->SetRow(ed.RowOf(inner));
    return RowWith(ed, brackets);
}

std::string TextOf(const TestEditor& ed, CEqAtom* atom) {
    std::unique_ptr<CEqExpr> top(RowWith(ed, atom));
    std::string text = top->ToText(false);
    EXPECT_EQ(CheckTree(*top, ed.data.get()), "");
    return text;
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

TEST(PowIndexAtomStructure, RowsOwnersAndClone) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewPow(ed, "x", "i", "2")));
    auto* atom = static_cast<CEqPowIndex*>(top->GetAt(0));
    EXPECT_EQ(atom->GetChar(), 0);
    EXPECT_EQ(atom->GetRowCount(), 3);
    EXPECT_EQ(atom->GetRow(0), atom->m_pBase);
    EXPECT_EQ(atom->GetRow(1), atom->m_pLow);
    EXPECT_EQ(atom->GetRow(2), atom->m_pHigh);
    EXPECT_EQ(atom->GetRow(3), nullptr);
    EXPECT_EQ(CheckTree(*top, ed.data.get()), "");

    CVexlorData other;
    top->SetOwner(&other);
    EXPECT_EQ(CheckTree(*top, &other), "");
    top->SetOwner(ed.data.get());

    ed.Layout(top.get());
    top->Append(atom->Clone());
    auto* copy = static_cast<CEqPowIndex*>(top->GetAt(1));
    EXPECT_STREQ(copy->ClassName(), "CEqPowIndex");
    EXPECT_EQ(copy->m_rect, atom->m_rect);
    EXPECT_EQ(copy->m_size, atom->m_size);
    EXPECT_NE(copy->m_pBase, atom->m_pBase);
    EXPECT_NE(copy->m_pLow, atom->m_pLow);
    EXPECT_NE(copy->m_pHigh, atom->m_pHigh);
    EXPECT_EQ(CheckTree(*top, ed.data.get()), "");
    copy->m_pLow->RemoveAt(0, false);
    EXPECT_EQ(atom->PeekText(), " x[i] ** 2 ");
    EXPECT_EQ(copy->PeekText(), " x[?] ** 2 ");
}

TEST(PowIndexAtomStructure, MissingRowsAndBlankness) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewPow(ed, nullptr, ed.RowOf("i"), nullptr)));
    auto* atom = static_cast<CEqPowIndex*>(top->GetAt(0));
    EXPECT_EQ(CheckTree(*top, ed.data.get()), "");
    EXPECT_FALSE(atom->IsBlank());
    atom->m_pLow->RemoveAt(0, false);
    EXPECT_TRUE(atom->IsBlank());
    ed.Layout(top.get());
    EXPECT_EQ(top->ToText(false), "( ? )[?] ** ( ? )");
    std::unique_ptr<CEqPowIndex> spaces(NewPow(ed, " ", "  ", " "));
    EXPECT_TRUE(spaces->IsBlank());
    std::unique_ptr<CEqPowIndex> high(NewPow(ed, "", "", "2"));
    EXPECT_FALSE(high->IsBlank());
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
    CEqAtom* Clone() const override { return new ComposeSpy(m_pLog, m_strName, m_nFormed); }

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

TEST(PowIndexAtomLayout, NestedAtomIsPlacedInTheSmallFont) {
    CRecordingDC rec;
    TestEditor ed(&rec);
    std::unique_ptr<CEqExpr> top(RowWith(
        ed, NewPow(ed, ed.RowOf("x"), RowWith(ed, NewPow(ed, "y", "j", "k")), ed.RowOf("2"))));
    top->CalcSize();
    rec.Clear();
    top->Redraw(0, 0, 1, 3);
    auto measures = rec.CallsOf("GetTextExtent");
    ASSERT_EQ(measures.size(), 2u);
    EXPECT_EQ(measures[0].font, &ed.wnd->m_fontNormal);
    EXPECT_EQ(measures[1].font, &ed.wnd->m_fontSmall);
    EXPECT_EQ(rec.GetCurrentFont(), &ed.wnd->m_fontNormal);
}

// Navigation: the atom stands between "a" and "b" (index 1) in the row P,
// which is the base of an outer power index; keys that travel on through P
// arrive in the outer high row (Up) or the outer low row (Down).
struct Nav {
    Nav() {
        atom = NewPow(ed, "xy", "ij", "mn");
        parent = ed.RowOf("a");
        parent->Append(atom);
        auto* b = new CEqSymbol;
        b->SetChar('b');
        parent->Append(b);
        outer = NewPow(ed, parent, ed.RowOf("l"), ed.RowOf("h"));
        top.reset(RowWith(ed, outer));
    }
    CEqExpr* Row(char which) const {
        switch (which) {
        case 'P':
            return parent;
        case 'B':
            return atom->m_pBase;
        case 'L':
            return atom->m_pLow;
        case 'H':
            return atom->m_pHigh;
        case 'l':
            return outer->m_pLow;
        case 'h':
            return outer->m_pHigh;
        default:
            return nullptr;
        }
    }
    bool Press(char from, UINT vk) {
        CEqExpr* row = Row(from);
        ed.data->SetCaret(row, vk == VK_RIGHT ? row->GetCount() - 1 : 0);
        return row->HandleKey(vk);
    }
    TestEditor ed;
    std::unique_ptr<CEqExpr> top;
    CEqPowIndex* outer = nullptr;
    CEqExpr* parent = nullptr;
    CEqPowIndex* atom = nullptr;
};

TEST(PowIndexAtomNavigation, LeavingEachRow) {
    struct Case {
        char from;
        UINT vk;
        char to;
        int pos; // -1: the end of the row
    };
    const Case cases[] = {
        {'B', VK_LEFT, 'P', 1},  {'B', VK_UP, 'H', 0},    {'B', VK_RIGHT, 'L', 0},
        {'B', VK_DOWN, 'L', 0},  {'L', VK_LEFT, 'B', -1}, {'L', VK_UP, 'B', -1},
        {'L', VK_RIGHT, 'H', 0}, {'L', VK_DOWN, 'l', 0},  {'H', VK_LEFT, 'L', -1},
        {'H', VK_UP, 'h', 0},    {'H', VK_RIGHT, 'P', 2}, {'H', VK_DOWN, 'L', -1},
    };
    for (const Case& c : cases) {
        Nav nav;
        std::string what = std::string(1, c.from) + " key " + std::to_string(c.vk);
        EXPECT_TRUE(nav.Press(c.from, c.vk)) << what;
        CEqExpr* expected = nav.Row(c.to);
        EXPECT_EQ(nav.ed.data->m_pCurRow, expected) << what;
        int pos = c.pos < 0 ? expected->GetCount() - 1 : c.pos;
        EXPECT_EQ(nav.ed.data->m_nCaret, pos) << what;
        EXPECT_EQ(nav.ed.data->m_nAnchor, pos) << what;
        EXPECT_EQ(CheckCaret(*nav.ed.data), "") << what;
    }
}

TEST(PowIndexAtomNavigation, RightWalksThroughAndLeftWalksBack) {
    Nav nav;
    // From before the atom, the first Right enters the base.
    nav.ed.data->SetCaret(nav.parent, 1);
    std::vector<CEqExpr*> visited;
    for (int step = 0; step < 12; ++step) {
        ASSERT_TRUE(nav.ed.data->m_pCurRow->HandleKey(VK_RIGHT));
        if (visited.empty() || visited.back() != nav.ed.data->m_pCurRow)
            visited.push_back(nav.ed.data->m_pCurRow);
        if (nav.ed.data->m_pCurRow == nav.parent)
            break;
    }
    EXPECT_EQ(visited, (std::vector<CEqExpr*>{nav.atom->m_pBase, nav.atom->m_pLow,
                                              nav.atom->m_pHigh, nav.parent}));
    EXPECT_EQ(nav.ed.data->m_nCaret, 2);
    visited.clear();
    for (int step = 0; step < 12; ++step) {
        ASSERT_TRUE(nav.ed.data->m_pCurRow->HandleKey(VK_LEFT));
        if (visited.empty() || visited.back() != nav.ed.data->m_pCurRow)
            visited.push_back(nav.ed.data->m_pCurRow);
        if (nav.ed.data->m_pCurRow == nav.parent)
            break;
    }
    EXPECT_EQ(visited, (std::vector<CEqExpr*>{nav.atom->m_pHigh, nav.atom->m_pLow,
                                              nav.atom->m_pBase, nav.parent}));
    EXPECT_EQ(nav.ed.data->m_nCaret, 1);
}

TEST(PowIndexAtomNavigation, ShiftSelectsTheWholeAtom) {
    struct Case {
        char from;
        UINT vk;
        int anchor, caret;
    };
    const Case cases[] = {{'B', VK_LEFT, 2, 1},
                          {'H', VK_RIGHT, 1, 2},
                          {'H', VK_UP, 2, 1},
                          {'L', VK_DOWN, 1, 2},
                          {'L', VK_LEFT, 2, 1}};
    for (const Case& c : cases) {
        Nav nav;
        nav.ed.wnd->PressKey(VK_SHIFT);
        EXPECT_TRUE(nav.Press(c.from, c.vk));
        EXPECT_EQ(nav.ed.data->m_pCurRow, nav.parent);
        EXPECT_EQ(nav.ed.data->m_nAnchor, c.anchor);
        EXPECT_EQ(nav.ed.data->m_nCaret, c.caret);
    }
}

TEST(PowIndexAtomNavigation, EnteringAndRefusing) {
    Nav nav;
    nav.ed.data->SetCaret(nav.parent, 2);
    EXPECT_TRUE(nav.parent->HandleKey(VK_LEFT));
    EXPECT_EQ(nav.ed.data->m_pCurRow, nav.atom->m_pHigh);
    EXPECT_EQ(nav.ed.data->m_nCaret, 2);
    nav.ed.data->SetCaret(nav.parent, 1);
    EXPECT_TRUE(nav.parent->HandleKey(VK_RIGHT));
    EXPECT_EQ(nav.ed.data->m_pCurRow, nav.atom->m_pBase);
    EXPECT_EQ(nav.ed.data->m_nCaret, 0);
    EXPECT_FALSE(nav.atom->EnterFrom(VK_DOWN));
    EXPECT_FALSE(nav.atom->LeaveChild(nav.atom->m_pLow, VK_RETURN));
    EXPECT_FALSE(nav.atom->LeaveChild(nav.parent, VK_LEFT));
    EXPECT_EQ(nav.ed.data->m_pCurRow, nav.atom->m_pBase);
    std::unique_ptr<CEqPowIndex> loose(new CEqPowIndex);
    EXPECT_FALSE(loose->EnterFrom(VK_LEFT));
    EXPECT_FALSE(loose->LeaveChild(loose->m_pBase, VK_LEFT));
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
        {{5, 20}, atom->m_pLow},   // level with low and base: low first
        {{5, 8}, atom->m_pBase},   // level with base and high: base first
        {{20, 10}, atom->m_pBase}, // right of the base, still level with it
        {{20, 2}, atom->m_pHigh},  // above the base
    };
    for (const Case& c : clicks) {
        POINT p = c.pt;
        EXPECT_TRUE(top->HitTest(&p)) << c.pt.x << "," << c.pt.y;
        EXPECT_EQ(ed.data->m_pCurRow, c.row) << c.pt.x << "," << c.pt.y;
    }
    // Drags ask the base first, then the low and the high row.
    const Case drags[] = {
        {{17, 20}, atom->m_pBase},
        {{17, 25}, atom->m_pLow},
        {{17, 2}, atom->m_pHigh},
    };
    for (const Case& c : drags) {
        POINT from = c.pt;
        POINT to{25, c.pt.y};
        EXPECT_TRUE(top->HitTestRange(&from, &to)) << c.pt.y;
        EXPECT_EQ(ed.data->m_pCurRow, c.row) << c.pt.y;
    }
}

// Storage.
std::vector<uint8_t> Store(CEqExpr* row) {
    CArchive out;
    row->Serialize(out);
    return out.TakeBuffer();
}

std::unique_ptr<CEqExpr> Load(const TestEditor& ed, std::vector<uint8_t> image) {
    CArchive in(std::move(image));
    auto row = std::make_unique<CEqExpr>();
    row->SetOwner(ed.data.get());
    row->Serialize(in);
    if (in.IsFailed() || !in.AtEnd())
        return nullptr;
    return row;
}

TEST(PowIndexAtomStorage, RoundTrip) {
    TestEditor ed;
    CEqPowIndex* atom =
        NewPow(ed, ed.RowOf("x"), ed.RowOf("i"), RowWith(ed, NewIndex(ed, "y", "j", false)));
    std::unique_ptr<CEqExpr> top(RowWith(ed, atom));
    ed.Layout(top.get());
    std::unique_ptr<CEqExpr> loaded = Load(ed, Store(top.get()));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(CheckTree(*loaded, ed.data.get()), "");
    auto* copy = dynamic_cast<CEqPowIndex*>(loaded->GetAt(0));
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy->ClassName(), "CEqPowIndex");
    EXPECT_EQ(copy->m_size, atom->m_size);
    EXPECT_EQ(copy->m_ptAnchor, atom->m_ptAnchor);
    EXPECT_EQ(copy->m_rect, atom->m_rect);
    EXPECT_EQ(copy->m_pBase->m_rect, atom->m_pBase->m_rect);
    EXPECT_EQ(copy->m_pLow->m_rect, atom->m_pLow->m_rect);
    EXPECT_EQ(copy->m_pHigh->m_rect, atom->m_pHigh->m_rect);
    auto* inner = dynamic_cast<CEqIndex*>(copy->m_pHigh->GetAt(0));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->m_bHigh, 0);
    EXPECT_EQ(inner->m_pIndex->GetAt(0)->m_rect, (RECT{29, 7, 37, 21}));
    EXPECT_EQ(loaded->PeekText(), " x[i] **  y[j] ");
    EXPECT_EQ(loaded->PeekText(), top->PeekText());
}

TEST(PowIndexAtomStorage, RowsFollowTheBaseRecordDirectly) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewPow(ed, "", "", "")));
    std::vector<uint8_t> image = Store(top.get());
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

TEST(PowIndexAtomStorage, TruncatedImagesFailWithoutHarm) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewPow(ed, "x", "i", "2")));
    std::vector<uint8_t> image = Store(top.get());
    for (size_t n : {size_t{50}, size_t{90}, size_t{200}, image.size() - 1}) {
        std::vector<uint8_t> cut(image.begin(), image.begin() + static_cast<long>(n));
        EXPECT_EQ(Load(ed, cut), nullptr) << n;
    }
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

    // Outside the window nothing is drawn.
    ed.Layout(top.get(), 0, 700);
    rec.Clear();
    top->GetAt(0)->Draw();
    EXPECT_TRUE(rec.InkCalls().empty());
}

} // namespace
