// The fraction atom: text frames, layout on the headless metrics, keys,
// mouse, storage, copies and drawing.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "RecordingDC.h"
#include "TreeCheck.h"
#include "atoms/EqBrackets.h"
#include "atoms/EqDerive.h"
#include "atoms/EqDerive2.h"
#include "atoms/EqFraction.h"
#include "platform/Archive.h"

namespace {

using RowPtr = std::unique_ptr<CEqExpr>;

CEqFraction* FractionOf(const TestEditor& t, CEqExpr* num, CEqExpr* den) {
    auto* f = new CEqFraction;
    f->m_pOwner = t.data.get();
    f->SetRows(num, den);
    return f;
}

CEqBrackets* BracketsAround(const TestEditor& t, CEqExpr* inner) {
    auto* b = new CEqBrackets;
    b->m_pOwner = t.data.get();
    b->SetRow(inner);
    return b;
}

template <typename T> T* DeriveOf(const TestEditor& t, CEqExpr* num, CEqExpr* den) {
    auto* d = new T;
    d->m_pOwner = t.data.get();
    d->SetRows(num, den);
    return d;
}

// A row holding the atom and nothing else.
CEqExpr* RowWith(const TestEditor& t, CEqAtom* atom) {
    CEqExpr* row = t.NewRow();
    row->Append(atom);
    return row;
}

std::vector<uint8_t> Store(CEqExpr& row) {
    CArchive ar;
    row.Serialize(ar);
    return ar.TakeBuffer();
}

// Loads a row image the way the editor does: owner first, then the record.
RowPtr Load(const TestEditor& t, const std::vector<uint8_t>& image, bool* complete) {
    RowPtr row(new CEqExpr(t.data.get()));
    CArchive ar(image);
    row->Serialize(ar);
    *complete = !ar.IsFailed() && ar.AtEnd();
    return row;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

// A row whose Compose reports a fixed count and logs that it ran.
class CountingRow : public CEqExpr {
  public:
    CountingRow(CVexlorData* owner, int formed, std::vector<int>* log)
        : CEqExpr(owner), m_nFormed(formed), m_pLog(log) {
        Clear();
    }
    int Compose() override {
        m_pLog->push_back(m_nFormed);
        return m_nFormed;
    }

  private:
    int m_nFormed;
    std::vector<int>* m_pLog;
};

TEST(FractionText, OperandsBareBracketedOrBlank) {
    TestEditor t;
    RowPtr simple(RowWith(t, FractionOf(t, t.RowOf("a"), t.RowOf("b"))));
    EXPECT_EQ(simple->ToText(false), " a / b ");
    RowPtr sum(RowWith(t, FractionOf(t, t.RowOf("a+b"), t.RowOf("c"))));
    EXPECT_EQ(sum->ToText(false), "( a+b ) / c ");
    RowPtr names(RowWith(t, FractionOf(t, t.RowOf(" x1.a_b "), t.RowOf("2*y"))));
    EXPECT_EQ(names->ToText(false), " x1.a_b / ( 2*y )");
    auto* blank = FractionOf(t, t.NewRow(), t.RowOf("   "));
    RowPtr blankRow(RowWith(t, blank));
    EXPECT_TRUE(blank->IsBlank());
    EXPECT_EQ(blankRow->ToText(false), "( ? ) / ( ? )");
    EXPECT_EQ(CheckTree(*blankRow, t.data.get()), "");
}

TEST(FractionText, BracketsOperandsAreNotDoubled) {
    TestEditor t;
    RowPtr row(RowWith(t, FractionOf(t, RowWith(t, BracketsAround(t, t.RowOf("a+b"))),
                                     RowWith(t, BracketsAround(t, t.RowOf("b+c"))))));
    EXPECT_EQ(row->ToText(false), "( a+b ) / ( b+c )");
    RowPtr aOver(
        RowWith(t, FractionOf(t, t.RowOf("a"), RowWith(t, BracketsAround(t, t.RowOf("b+c"))))));
    EXPECT_EQ(aOver->ToText(false), " a / ( b+c )");
}

TEST(FractionText, NestedFractionWrappedOnlyBelowTheBar) {
    TestEditor t;
    // 1 / (b / c): the denominator keeps its grouping.
    RowPtr below(RowWith(
        t, FractionOf(t, t.RowOf("1"), RowWith(t, FractionOf(t, t.RowOf("b"), t.RowOf("c"))))));
    EXPECT_EQ(below->ToText(false), " 1 / (  b / c  )");
    // (b / c) / d: division associates to the left, so no brackets.
    RowPtr above(RowWith(
        t, FractionOf(t, RowWith(t, FractionOf(t, t.RowOf("b"), t.RowOf("c"))), t.RowOf("d"))));
    EXPECT_EQ(above->ToText(false), "  b / c  / d ");
}

TEST(FractionText, DerivativesWrappedOnlyBelowTheBar) {
    TestEditor t;
    RowPtr over(
        RowWith(t, FractionOf(t, RowWith(t, DeriveOf<CEqDerive>(t, t.RowOf("x"), t.RowOf("t"))),
                              t.RowOf("y"))));
    EXPECT_EQ(over->ToText(false), "  d( x ) / dt  / y ");
    RowPtr under(
        RowWith(t, FractionOf(t, t.RowOf("y"),
                              RowWith(t, DeriveOf<CEqDerive>(t, t.RowOf("x"), t.RowOf("t"))))));
    EXPECT_EQ(under->ToText(false), " y / (  d( x ) / dt  )");
    RowPtr under2(
        RowWith(t, FractionOf(t, t.RowOf("y"),
                              RowWith(t, DeriveOf<CEqDerive2>(t, t.RowOf("x"), t.RowOf("t"))))));
    EXPECT_EQ(under2->ToText(false), " y / (  d2( x ) / dt  )");
}

TEST(FractionText, WritingTrimsTheRows) {
    TestEditor t;
    auto* f = FractionOf(t, t.RowOf("  a "), t.RowOf(" b+c  "));
    RowPtr row(RowWith(t, f));
    EXPECT_EQ(f->ToText(), " a / ( b+c )");
    EXPECT_EQ(f->m_pNumerator->GetCount(), 2);
    EXPECT_EQ(f->m_pDenominator->GetCount(), 4);
    // A row of spaces is emptied and its end atom shows the placeholder again.
    auto* g = FractionOf(t, t.RowOf("  "), t.RowOf("x"));
    RowPtr row2(RowWith(t, g));
    EXPECT_EQ(g->ToText(), "( ? ) / x ");
    EXPECT_EQ(g->m_pNumerator->GetCount(), 1);
    EXPECT_FALSE(g->IsBlank());
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");
    EXPECT_EQ(CheckTree(*row2, t.data.get()), "");
}

TEST(FractionLayout, SizesAndPlacesRowsAroundTheBar) {
    TestEditor t;
    auto* f = FractionOf(t, t.RowOf("abc"), t.NewRow());
    RowPtr row(RowWith(t, f));
    t.Layout(row.get(), 100, 50);
    // M = 11x20. Numerator "abc": 3*11 + 2 (collapsed end) = 35 wide, 20 high,
    // anchor (17, 10). Denominator empty: the placeholder 11x20, anchor (5, 10).
    // width = max(35, 11) + 11 = 46; height = 20 + 20 + 20/3 = 46;
    // anchor = (46/2, 20 + 20/6) = (23, 23).
    EXPECT_EQ(f->m_size, (SIZE{46, 46}));
    EXPECT_EQ(f->m_ptAnchor, (POINT{23, 23}));
    // The row's axis is the fraction's (23 > 10), so the box starts at (100, 50).
    EXPECT_EQ(f->m_rect, (RECT{100, 50, 146, 96}));
    // Numerator: anchor x at 100 + 23, bottom at 50 + 23 - 3: left 123 - 17.
    EXPECT_EQ(f->m_pNumerator->m_rect, (RECT{106, 50, 141, 70}));
    // Denominator: anchor x at 123, top at 50 + 23 + 3: left 123 - 5.
    EXPECT_EQ(f->m_pDenominator->m_rect, (RECT{118, 76, 129, 96}));
}

TEST(FractionLayout, SmallFontUsesSmallMBox) {
    TestEditor t;
    auto* f = FractionOf(t, t.RowOf("a"), t.RowOf("bc"));
    RowPtr row(RowWith(t, f));
    t.wnd->m_pDC->SelectObject(&t.wnd->m_fontSmall);
    t.Layout(row.get());
    // M = 8x14. Numerator 8 + 2 = 10 wide, denominator 16 + 2 = 18, both 14 high.
    // width = 18 + 8 = 26; height = 14 + 14 + 14/3 = 32; anchor (13, 14 + 14/6) = (13, 16).
    EXPECT_EQ(f->m_size, (SIZE{26, 32}));
    EXPECT_EQ(f->m_ptAnchor, (POINT{13, 16}));
    // Numerator bottom at 16 - 2 = 14, centred on 13: left 13 - 5.
    EXPECT_EQ(f->m_pNumerator->m_rect, (RECT{8, 0, 18, 14}));
    // Denominator top at 16 + 2 = 18, left 13 - 9.
    EXPECT_EQ(f->m_pDenominator->m_rect, (RECT{4, 18, 22, 32}));
}

// The parent row [a, F, b, end] with the fraction at index 1.
struct FractionInRow {
    TestEditor t;
    CEqFraction* f;
    RowPtr row;
    FractionInRow() : f(FractionOf(t, t.RowOf("xy"), t.RowOf("z"))), row(t.RowOf("ab")) {
        row->InsertAt(f, 1);
        t.Layout(row.get());
    }
    CVexlorData& d() { return *t.data; }
    bool Press(UINT vk) { return d().m_pCurRow->HandleKey(vk); }
    std::string Check() { return CheckCaret(d()); }
};

TEST(FractionKeys, LeavingTheNumerator) {
    FractionInRow s;
    s.d().SetCaret(s.f->m_pNumerator, 0);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.d().m_pCurRow, s.row.get());
    EXPECT_EQ(s.d().m_nCaret, 1);

    s.d().SetCaret(s.f->m_pNumerator, 2);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.d().m_pCurRow, s.f->m_pDenominator);
    EXPECT_EQ(s.d().m_nCaret, 0);

    s.d().SetCaret(s.f->m_pNumerator, 1);
    EXPECT_TRUE(s.Press(VK_DOWN));
    EXPECT_EQ(s.d().m_pCurRow, s.f->m_pDenominator);
    EXPECT_EQ(s.d().m_nCaret, 0);

    // Up goes on to the parent row, which at the top level has no owner atom.
    s.d().SetCaret(s.f->m_pNumerator, 1);
    EXPECT_FALSE(s.Press(VK_UP));
    EXPECT_EQ(s.d().m_pCurRow, s.f->m_pNumerator);
    EXPECT_EQ(s.d().m_nCaret, 1);
    EXPECT_EQ(s.Check(), "");
}

TEST(FractionKeys, LeavingTheDenominator) {
    FractionInRow s;
    s.d().SetCaret(s.f->m_pDenominator, 0);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.d().m_pCurRow, s.f->m_pNumerator);
    EXPECT_EQ(s.d().m_nCaret, 2);

    s.d().SetCaret(s.f->m_pDenominator, 1);
    EXPECT_TRUE(s.Press(VK_UP));
    EXPECT_EQ(s.d().m_pCurRow, s.f->m_pNumerator);
    EXPECT_EQ(s.d().m_nCaret, 2);

    s.d().SetCaret(s.f->m_pDenominator, 1);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.d().m_pCurRow, s.row.get());
    EXPECT_EQ(s.d().m_nCaret, 2);

    s.d().SetCaret(s.f->m_pDenominator, 0);
    EXPECT_FALSE(s.Press(VK_DOWN));
    EXPECT_EQ(s.d().m_pCurRow, s.f->m_pDenominator);
    EXPECT_EQ(s.Check(), "");
}

TEST(FractionKeys, EnteringFromEitherSide) {
    FractionInRow s;
    s.d().SetCaret(s.row.get(), 2);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.d().m_pCurRow, s.f->m_pDenominator);
    EXPECT_EQ(s.d().m_nCaret, 1);

    s.d().SetCaret(s.row.get(), 1);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.d().m_pCurRow, s.f->m_pNumerator);
    EXPECT_EQ(s.d().m_nCaret, 0);

    EXPECT_FALSE(s.f->EnterFrom(VK_UP));
    EXPECT_FALSE(s.f->EnterFrom(VK_DOWN));
    EXPECT_EQ(s.Check(), "");
}

TEST(FractionKeys, ShiftAtAnEdgeSelectsTheWholeFraction) {
    FractionInRow s;
    s.t.wnd->PressKey(VK_SHIFT);
    struct Case {
        bool numerator;
        int pos;
        UINT vk;
        int anchor, caret;
    };
    const Case cases[] = {
        {true, 0, VK_LEFT, 2, 1},   {true, 1, VK_UP, 2, 1},    {true, 1, VK_DOWN, 1, 2},
        {true, 2, VK_RIGHT, 1, 2},  {false, 0, VK_LEFT, 2, 1}, {false, 0, VK_UP, 2, 1},
        {false, 1, VK_RIGHT, 1, 2}, {false, 1, VK_DOWN, 1, 2},
    };
    for (const Case& c : cases) {
        s.d().SetCaret(c.numerator ? s.f->m_pNumerator : s.f->m_pDenominator, c.pos);
        EXPECT_TRUE(s.Press(c.vk)) << c.vk;
        EXPECT_EQ(s.d().m_pCurRow, s.row.get()) << c.vk;
        EXPECT_EQ(s.d().m_nAnchor, c.anchor) << c.vk;
        EXPECT_EQ(s.d().m_nCaret, c.caret) << c.vk;
        EXPECT_EQ(s.Check(), "");
    }
}

TEST(FractionKeys, UpAndDownClimbToTheEnclosingFraction) {
    TestEditor t;
    // The inner fraction sits in the outer fraction's denominator.
    auto* inner = FractionOf(t, t.RowOf("p"), t.RowOf("q"));
    auto* outer = FractionOf(t, t.RowOf("ab"), RowWith(t, inner));
    RowPtr row(RowWith(t, outer));
    t.data->SetCaret(inner->m_pNumerator, 0);
    EXPECT_TRUE(inner->m_pNumerator->HandleKey(VK_UP));
    EXPECT_EQ(t.data->m_pCurRow, outer->m_pNumerator);
    EXPECT_EQ(t.data->m_nCaret, 2);

    // And the other way round in a numerator.
    auto* inner2 = FractionOf(t, t.RowOf("p"), t.RowOf("q"));
    auto* outer2 = FractionOf(t, RowWith(t, inner2), t.RowOf("c"));
    RowPtr row2(RowWith(t, outer2));
    t.data->SetCaret(inner2->m_pDenominator, 1);
    EXPECT_TRUE(inner2->m_pDenominator->HandleKey(VK_DOWN));
    EXPECT_EQ(t.data->m_pCurRow, outer2->m_pDenominator);
    EXPECT_EQ(t.data->m_nCaret, 0);
    EXPECT_EQ(CheckCaret(*t.data), "");
}

TEST(FractionKeys, ForeignRowsAndOtherKeysAreDeclined) {
    FractionInRow s;
    RowPtr stranger(s.t.RowOf("q"));
    s.d().SetCaret(s.f->m_pNumerator, 1);
    EXPECT_FALSE(s.f->LeaveChild(stranger.get(), VK_LEFT));
    EXPECT_FALSE(s.f->LeaveChild(s.f->m_pNumerator, VK_TAB));
    EXPECT_FALSE(s.f->LeaveChild(s.f->m_pDenominator, VK_RETURN));
    EXPECT_EQ(s.d().m_pCurRow, s.f->m_pNumerator);
    EXPECT_EQ(s.d().m_nCaret, 1);
    // Not in any row: nothing to leave into.
    TestEditor t;
    std::unique_ptr<CEqFraction> loose(FractionOf(t, t.RowOf("a"), t.RowOf("b")));
    EXPECT_FALSE(loose->LeaveChild(loose->m_pNumerator, VK_LEFT));
}

TEST(FractionMouse, ClicksAndDrags) {
    TestEditor t;
    auto* f = FractionOf(t, t.RowOf("abc"), t.RowOf("de"));
    RowPtr row(RowWith(t, f));
    t.Layout(row.get());
    // Width 35 + 11 = 46, anchor (23, 23). Numerator (6, 0, 41, 20): "b" spans
    // 17..28 with its middle at 22. Denominator 24 wide: (11, 26, 35, 46).
    ASSERT_EQ(f->m_pNumerator->m_rect, (RECT{6, 0, 41, 20}));
    ASSERT_EQ(f->m_pDenominator->m_rect, (RECT{11, 26, 35, 46}));
    POINT p{24, 10};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->m_pCurRow, f->m_pNumerator);
    EXPECT_EQ(t.data->m_nCaret, 2);
    p = POINT{12, 30};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->m_pCurRow, f->m_pDenominator);
    EXPECT_EQ(t.data->m_nCaret, 0);
    // On the bar, between the rows: neither row takes it, the caret goes
    // after the fraction (right of its anchor x).
    p = POINT{40, 23};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->m_pCurRow, row.get());
    EXPECT_EQ(t.data->m_nCaret, 1);

    POINT from{7, 5}, to{38, 5};
    EXPECT_TRUE(row->HitTestRange(&from, &to));
    EXPECT_EQ(t.data->m_pCurRow, f->m_pNumerator);
    EXPECT_EQ(t.data->m_nAnchor, 0);
    EXPECT_EQ(t.data->m_nCaret, 3);
    // From the numerator into the denominator: the whole fraction.
    from = POINT{7, 5};
    to = POINT{40, 30};
    EXPECT_TRUE(row->HitTestRange(&from, &to));
    EXPECT_EQ(t.data->m_pCurRow, row.get());
    EXPECT_EQ(t.data->m_nAnchor, 0);
    EXPECT_EQ(t.data->m_nCaret, 1);
    EXPECT_EQ(CheckCaret(*t.data), "");
}

TEST(FractionStorage, StoresBothRowsAfterTheBaseRecord) {
    TestEditor t;
    auto* f = FractionOf(t, t.RowOf("a"), t.NewRow());
    RowPtr row(RowWith(t, f));
    t.Layout(row.get(), 20, 30);
    std::vector<uint8_t> image = Store(*row);
    // Row base 32 + N 4 + "CEqFraction" 12 + fraction base 32 + numerator row
    // 120 (the symbol "a") + denominator row 77 (empty) + "CEqEmpty" 9 + 32.
    EXPECT_EQ(image.size(), 318u);
    // The numerator's record begins right after the fraction's base record.
    const size_t numerator = 32 + 4 + 12 + 32;
    CArchive probe(std::vector<uint8_t>(image.begin() + numerator + 32, image.end()));
    int32_t count = 0;
    probe >> count;
    EXPECT_EQ(count, 2);
    EXPECT_EQ(probe.ReadString(), "CEqSymbol");

    bool complete = false;
    RowPtr loaded = Load(t, image, &complete);
    ASSERT_TRUE(complete);
    EXPECT_EQ(CheckTree(*loaded, t.data.get()), "");
    ASSERT_TRUE(loaded->GetAt(0)->IsClass("CEqFraction"));
    auto* g = static_cast<CEqFraction*>(loaded->GetAt(0));
    EXPECT_EQ(g->m_pNumerator->m_pOwnerAtom, g);
    EXPECT_EQ(g->m_pDenominator->m_pOwnerAtom, g);
    EXPECT_EQ(g->m_rect, f->m_rect);
    EXPECT_EQ(g->m_pNumerator->m_rect, f->m_pNumerator->m_rect);
    // Same classes, characters and geometry all the way down.
    EXPECT_EQ(Store(*loaded), image);
    EXPECT_EQ(loaded->ToText(false), row->ToText(false));
    EXPECT_EQ(loaded->ToText(false), " a / ( ? )");
}

TEST(FractionStorage, TruncatedImagesFailWithoutHarm) {
    TestEditor t;
    RowPtr row(RowWith(t, FractionOf(t, t.RowOf("a+b"), t.RowOf("c"))));
    t.Layout(row.get());
    std::vector<uint8_t> image = Store(*row);
    for (size_t n = 0; n < image.size(); ++n) {
        bool complete = true;
        RowPtr loaded = Load(t, std::vector<uint8_t>(image.begin(), image.begin() + n), &complete);
        EXPECT_FALSE(complete) << n;
    }
}

TEST(FractionTree, CloneIsDeep) {
    TestEditor t;
    auto* f = FractionOf(t, t.RowOf("a"), t.RowOf("b"));
    RowPtr row(RowWith(t, f));
    t.Layout(row.get());
    std::unique_ptr<CEqAtom> copy(f->Clone());
    ASSERT_TRUE(copy->IsClass("CEqFraction"));
    auto* g = static_cast<CEqFraction*>(copy.get());
    EXPECT_NE(g->m_pNumerator, f->m_pNumerator);
    EXPECT_NE(g->m_pDenominator, f->m_pDenominator);
    EXPECT_EQ(g->m_pNumerator->m_pOwnerAtom, g);
    EXPECT_EQ(g->m_pDenominator->m_pOwnerAtom, g);
    EXPECT_EQ(g->m_rect, f->m_rect);
    EXPECT_EQ(g->m_pParent, f->m_pParent);
    RowPtr z(t.RowOf("z"));
    g->m_pNumerator->Append(z->GetAt(0)->Clone());
    EXPECT_EQ(f->PeekText(), " a / b ");
    RowPtr holder(RowWith(t, copy.release()));
    EXPECT_EQ(CheckTree(*holder, t.data.get()), "");
}

TEST(FractionTree, OwnerReachesEveryAtom) {
    TestEditor t, other;
    RowPtr row(RowWith(t, FractionOf(t, t.RowOf("a"), t.RowOf("b"))));
    row->SetOwner(other.data.get());
    EXPECT_EQ(CheckTree(*row, other.data.get()), "");
}

TEST(FractionTree, ComposeAddsNumeratorThenDenominator) {
    TestEditor t;
    std::vector<int> log;
    std::unique_ptr<CEqFraction> f(FractionOf(t, new CountingRow(t.data.get(), 2, &log),
                                              new CountingRow(t.data.get(), 3, &log)));
    EXPECT_EQ(f->Compose(), 5);
    EXPECT_EQ(log, (std::vector<int>{2, 3}));
}

TEST(FractionTree, SetRowsReplacesAndAdopts) {
    TestEditor t;
    auto* f = FractionOf(t, t.RowOf("a"), t.RowOf("b"));
    RowPtr row(RowWith(t, f));
    f->SetRows(t.RowOf("c"), t.RowOf("d"));
    EXPECT_EQ(f->PeekText(), " c / d ");
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");
    EXPECT_EQ(f->GetRow(2), nullptr);
    EXPECT_EQ(f->GetRow(-1), nullptr);
}

struct DrawnFraction {
    CRecordingDC dc;
    TestEditor t{&dc};
    CEqFraction* f = FractionOf(t, t.RowOf("abc"), t.RowOf("d"));
    RowPtr row{RowWith(t, f)};
};

TEST(FractionDraw, BarOnTheAxisAndEverythingRestored) {
    DrawnFraction s;
    s.t.Layout(s.row.get());
    CFont* font = s.dc.GetCurrentFont();
    CPen* pen = s.dc.GetCurrentPen();
    s.dc.Clear();
    s.f->Draw();
    EXPECT_EQ(s.dc.GetCurrentFont(), font);
    EXPECT_EQ(s.dc.GetCurrentPen(), pen);
    // The bar: 2 pixels in from each side, on the anchor line y = 23.
    std::vector<CRecordingDC::Call> lines = s.dc.CallsOf("LineTo");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].from, (POINT{2, 23}));
    EXPECT_EQ(lines[0].args, (std::vector<int>{44, 23}));
    EXPECT_EQ(lines[0].penValue.m_nStyle, PS_SOLID);
    EXPECT_EQ(lines[0].penValue.m_nWidth, 2);
    // Both rows were drawn before the bar: four characters.
    EXPECT_EQ(s.dc.CallsOf("DrawText").size(), 4u);
    for (const CRecordingDC::Call& c : s.dc.InkCalls()) {
        RECT box;
        CRecordingDC::InkBox(c, &box);
        EXPECT_TRUE(Inside(box, s.f->m_rect)) << c.op;
    }
}

TEST(FractionDraw, BlankFractionStillDrawsItsBar) {
    CRecordingDC dc;
    TestEditor t(&dc);
    auto* f = FractionOf(t, t.NewRow(), t.NewRow());
    RowPtr row(RowWith(t, f));
    t.Layout(row.get());
    dc.Clear();
    f->Draw();
    EXPECT_EQ(dc.CallsOf("LineTo").size(), 1u);
    EXPECT_EQ(dc.CallsOf("Rectangle").size(), 2u); // the two placeholders
}

TEST(FractionDraw, NothingOutsideTheClientArea) {
    DrawnFraction s;
    for (POINT at : {POINT{900, 10}, POINT{-300, 10}, POINT{10, 700}, POINT{10, -200}}) {
        s.t.Layout(s.row.get(), at.x, at.y);
        s.dc.Clear();
        s.f->Draw();
        s.row->Draw();
        EXPECT_TRUE(s.dc.InkCalls().empty()) << at.x << "," << at.y;
    }
}

} // namespace
