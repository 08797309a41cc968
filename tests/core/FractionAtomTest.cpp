// The fraction atom: text frames, layout on the headless metrics, the
// stored image and the bar. What it shares with the derivatives is tested in
// StackedAtomTest.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "AtomBuilders.h"
#include "RecordingDC.h"
#include "TreeCheck.h"
#include "atoms/EqDerive.h"
#include "atoms/EqDerive2.h"
#include "platform/Archive.h"

namespace {

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
        RowWith(t, FractionOf(t, RowWith(t, NewAtom<CEqDerive>(t, t.RowOf("x"), t.RowOf("t"))),
                              t.RowOf("y"))));
    EXPECT_EQ(over->ToText(false), "  d( x ) / dt  / y ");
    RowPtr under(
        RowWith(t, FractionOf(t, t.RowOf("y"),
                              RowWith(t, NewAtom<CEqDerive>(t, t.RowOf("x"), t.RowOf("t"))))));
    EXPECT_EQ(under->ToText(false), " y / (  d( x ) / dt  )");
    RowPtr under2(
        RowWith(t, FractionOf(t, t.RowOf("y"),
                              RowWith(t, NewAtom<CEqDerive2>(t, t.RowOf("x"), t.RowOf("t"))))));
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

    RowPtr loaded = LoadWhole(t, image);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(CheckTree(*loaded, t.data.get()), "");
    ExpectSameRow(*row, *loaded);
    EXPECT_EQ(loaded->ToText(false), " a / ( ? )");
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

} // namespace
