// The first and second derivative atoms: text frames, layout on the
// headless metrics, band erasing and drawing. What they share with the
// fraction is tested in StackedAtomTest.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AtomBuilders.h"
#include "RecordingDC.h"
#include "TreeCheck.h"
#include "atoms/EqDerive.h"
#include "atoms/EqDerive2.h"

namespace {

// The text a derivative of each class writes for the given rows.
std::pair<std::string, std::string> Texts(const TestEditor& t, const std::string& num,
                                          CEqExpr* den) {
    std::unique_ptr<CEqExpr> den2 = den->Clone();
    std::unique_ptr<CEqDerive> d1(NewAtom<CEqDerive>(t, t.RowOf(num), den));
    std::unique_ptr<CEqDerive> d2(NewAtom<CEqDerive2>(t, t.RowOf(num), den2.release()));
    return {d1->ToText(), d2->ToText()};
}

TEST(DeriveText, VariableTWritesDirectlyAfterTheD) {
    TestEditor t;
    auto texts = Texts(t, "x", t.RowOf("t"));
    EXPECT_EQ(texts.first, " d( x ) / dt ");
    EXPECT_EQ(texts.second, " d2( x ) / dt ");
    texts = Texts(t, " x ", t.RowOf("  t "));
    EXPECT_EQ(texts.first, " d( x ) / dt ");
}

TEST(DeriveText, OtherSimpleVariablesStandApart) {
    TestEditor t;
    auto texts = Texts(t, "x+y", t.RowOf("tau"));
    EXPECT_EQ(texts.first, " d( x+y ) / d tau ");
    EXPECT_EQ(texts.second, " d2( x+y ) / d tau ");
    texts = Texts(t, "x", t.RowOf("t1"));
    EXPECT_EQ(texts.first, " d( x ) / d t1 ");
}

TEST(DeriveText, BlankRows) {
    TestEditor t;
    auto texts = Texts(t, "  ", t.NewRow());
    EXPECT_EQ(texts.first, " d( ? ) / d( ? )");
    EXPECT_EQ(texts.second, " d2( ? ) / d( ? )");
    std::unique_ptr<CEqDerive> d(NewAtom<CEqDerive>(t, t.NewRow(), t.RowOf(" ")));
    EXPECT_TRUE(d->IsBlank());
    std::unique_ptr<CEqDerive> e(NewAtom<CEqDerive>(t, t.NewRow(), t.RowOf("t")));
    EXPECT_FALSE(e->IsBlank());
}

TEST(DeriveText, FunctionAlwaysBracketedButNeverDoubled) {
    TestEditor t;
    std::unique_ptr<CEqDerive> d(
        NewAtom<CEqDerive>(t, RowWith(t, BracketsAround(t, t.RowOf("x+y"))), t.RowOf("t")));
    EXPECT_EQ(d->ToText(), " d( x+y ) / dt ");
    std::unique_ptr<CEqDerive> f(NewAtom<CEqDerive2>(
        t, RowWith(t, FractionOf(t, t.RowOf("a"), t.RowOf("b"))), t.RowOf("t")));
    EXPECT_EQ(f->ToText(), " d2(  a / b  ) / dt ");
}

TEST(DeriveText, BracketedVariableKeepsTheTrailingBlank) {
    TestEditor t;
    std::unique_ptr<CEqDerive> d(
        NewAtom<CEqDerive>(t, t.RowOf("x"), RowWith(t, BracketsAround(t, t.RowOf("a+b")))));
    EXPECT_EQ(d->ToText(), " d( x ) / d( a+b ) ");
    std::unique_ptr<CEqDerive> e(NewAtom<CEqDerive>(t, t.RowOf("x"), t.RowOf("a+b")));
    EXPECT_EQ(e->ToText(), " d( x ) / d( a+b )");
}

TEST(DeriveText, StructuredVariables) {
    TestEditor t;
    // A low index stays bare: the blank in front and the one it writes.
    std::unique_ptr<CEqDerive> low(NewAtom<CEqDerive>(
        t, t.RowOf("x"), RowWith(t, NewIndex(t, t.RowOf("s"), t.RowOf("1"), false))));
    EXPECT_EQ(low->ToText(), " d( x ) / d  s[1] ");
    // A high index, a fraction, a derivative and a power index are bracketed.
    auto* high = NewIndex(t, t.RowOf("s"), t.RowOf("2"), true);
    std::unique_ptr<CEqDerive> overHigh(NewAtom<CEqDerive>(t, t.RowOf("x"), RowWith(t, high)));
    std::string highText = high->PeekText();
    EXPECT_EQ(overHigh->ToText(), " d( x ) / d( " + highText + " )");

    auto* frac = FractionOf(t, t.RowOf("a"), t.RowOf("b"));
    std::unique_ptr<CEqDerive> overFrac(NewAtom<CEqDerive>(t, t.RowOf("x"), RowWith(t, frac)));
    EXPECT_EQ(overFrac->ToText(), " d( x ) / d(  a / b  )");

    auto* inner = NewAtom<CEqDerive2>(t, t.RowOf("y"), t.RowOf("t"));
    std::unique_ptr<CEqDerive> overDerive(NewAtom<CEqDerive>(t, t.RowOf("x"), RowWith(t, inner)));
    EXPECT_EQ(overDerive->ToText(), " d( x ) / d(  d2( y ) / dt  )");

    auto* pow = new CEqPowIndex;
    pow->m_pOwner = t.data.get();
    pow->SetRows(t.RowOf("s"), t.RowOf("i"), t.RowOf("2"));
    std::string powText = pow->PeekText();
    std::unique_ptr<CEqDerive> overPow(NewAtom<CEqDerive>(t, t.RowOf("x"), RowWith(t, pow)));
    EXPECT_EQ(overPow->ToText(), " d( x ) / d( " + powText + " )");
}

TEST(DeriveText, WritingTrimsTheRows) {
    TestEditor t;
    auto* d = NewAtom<CEqDerive2>(t, t.RowOf("  x+1 "), t.RowOf(" tau "));
    RowPtr row(RowWith(t, d));
    EXPECT_EQ(row->ToText(false), " d2( x+1 ) / d tau ");
    EXPECT_EQ(d->m_pNumerator->GetCount(), 4);
    EXPECT_EQ(d->m_pDenominator->GetCount(), 4);
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");
}

TEST(DeriveLayout, FirstDerivative) {
    TestEditor t;
    auto* d = NewAtom<CEqDerive>(t, t.RowOf("x"), t.RowOf("t"));
    RowPtr row(RowWith(t, d));
    t.Layout(row.get());
    // M = 11x20, W3 = 33/2 = 16. Both rows 13 wide (11 + collapsed 2), 20 high,
    // anchor (6, 10). width = 11 + 16 + 13 = 40; height = 20 + 20 + 6 = 46;
    // anchor (20, 20 + 3) = (20, 23).
    EXPECT_EQ(d->m_size, (SIZE{40, 46}));
    EXPECT_EQ(d->m_ptAnchor, (POINT{20, 23}));
    EXPECT_EQ(d->m_rect, (RECT{0, 0, 40, 46}));
    // Rows centred at 20 + 16/2 = 28: left 28 - 6 = 22; the numerator's bottom
    // at 23 - 3 = 20, the denominator's top at 23 + 3 = 26.
    EXPECT_EQ(d->m_pNumerator->m_rect, (RECT{22, 0, 35, 20}));
    EXPECT_EQ(d->m_pDenominator->m_rect, (RECT{22, 26, 35, 46}));
}

TEST(DeriveLayout, SecondDerivative) {
    TestEditor t;
    auto* d = NewAtom<CEqDerive2>(t, t.RowOf("x"), t.RowOf("t"));
    RowPtr row(RowWith(t, d));
    t.Layout(row.get());
    // S = 8x14. width = 13 + 11 + 16 + 11/4 + 8 = 50;
    // height = 20 + 20 + 20/3 + 14/2 + 1 = 54; anchor y = 20 + 3 + 14/4 + 1 = 27.
    // M.cy + S.cy/4 = 23 is not below the numerator's 20: no correction.
    EXPECT_EQ(d->m_size, (SIZE{50, 54}));
    EXPECT_EQ(d->m_ptAnchor, (POINT{25, 27}));
    // k = (11/4 + 8)/2 = 5. Numerator centred at 25 + 8 + 5 = 38 (left 32),
    // bottom at 27 - 3 = 24. Denominator centred at 25 + 8 - 5 - 1 = 27
    // (left 21), top at 27 + 3 + 3 + 1 = 34.
    EXPECT_EQ(d->m_pNumerator->m_rect, (RECT{32, 4, 45, 24}));
    EXPECT_EQ(d->m_pDenominator->m_rect, (RECT{21, 34, 34, 54}));
}

TEST(DeriveLayout, SecondDerivativeOverATallNumerator) {
    TestEditor t;
    // Numerator: a fraction a/b (24x46, anchor (12, 23)) and the collapsed
    // end atom: 26 wide, 46 high, anchor (13, 23). 46 > M.cy + S.cy/4 = 23.
    auto* d =
        NewAtom<CEqDerive2>(t, RowWith(t, FractionOf(t, t.RowOf("a"), t.RowOf("b"))), t.RowOf("t"));
    RowPtr row(RowWith(t, d));
    t.Layout(row.get());
    // width = 26 + 11 + 16 + 2 + 8 = 63; anchor x 31.
    // height = 46 + 20 + 6 + 7 + 1 - 14/4 = 77; anchor y = 46 + 3 + 3 + 1 - 3 = 50.
    EXPECT_EQ(d->m_size, (SIZE{63, 77}));
    EXPECT_EQ(d->m_ptAnchor, (POINT{31, 50}));
    // Numerator centred at 31 + 8 + 5 = 44 (left 44 - 13), bottom at 50 - 3.
    EXPECT_EQ(d->m_pNumerator->m_rect, (RECT{31, 1, 57, 47}));
    // Denominator centred at 31 + 8 - 6 = 33 (left 27), top at 50 + 7.
    EXPECT_EQ(d->m_pDenominator->m_rect, (RECT{27, 57, 40, 77}));
}

TEST(DeriveLayout, SecondDerivativeInTheSmallFont) {
    TestEditor t;
    auto* d = NewAtom<CEqDerive2>(t, t.RowOf("x"), t.RowOf("t"));
    RowPtr row(RowWith(t, d));
    t.wnd->m_pDC->SelectObject(&t.wnd->m_fontSmall);
    t.Layout(row.get());
    // M = S = 8x14, W3 = 12. Rows 10 wide, 14 high, anchor (5, 7).
    // width = 10 + 8 + 12 + 2 + 8 = 40; height = 14 + 14 + 4 + 7 + 1 = 40;
    // anchor (20, 14 + 2 + 3 + 1) = (20, 20). k = (2 + 8)/2 = 5.
    EXPECT_EQ(d->m_size, (SIZE{40, 40}));
    EXPECT_EQ(d->m_ptAnchor, (POINT{20, 20}));
    // Numerator centred at 20 + 6 + 5 = 31, bottom at 20 - 2 = 18;
    // denominator centred at 20 + 6 - 6 = 20, top at 20 + 2 + 3 + 1 = 26.
    EXPECT_EQ(d->m_pNumerator->m_rect, (RECT{26, 4, 36, 18}));
    EXPECT_EQ(d->m_pDenominator->m_rect, (RECT{15, 26, 25, 40}));
    EXPECT_EQ(t.wnd->m_pDC->GetCurrentFont(), &t.wnd->m_fontSmall);
}

TEST(DeriveLayout, MovedRowLeavesItsOldStripErased) {
    CRecordingDC dc;
    TestEditor t(&dc);
    // The variable is the wider row, so a longer function moves only itself.
    auto* d = NewAtom<CEqDerive>(t, t.RowOf("x"), t.RowOf("tau"));
    RowPtr row(RowWith(t, d));
    t.Layout(row.get());
    // width = 11 + 16 + 35 = 62: the box keeps its place when "x" becomes "xy".
    ASSERT_EQ(d->m_rect, (RECT{0, 0, 62, 46}));
    dc.Clear();
    t.Layout(row.get());
    EXPECT_TRUE(dc.CallsOf("FillSolidRect").empty());

    RowPtr y(t.RowOf("y"));
    d->m_pNumerator->Append(y->GetAt(0)->Clone());
    dc.Clear();
    t.Layout(row.get());
    ASSERT_EQ(d->m_rect, (RECT{0, 0, 62, 46}));
    bool numeratorStrip = false;
    for (const CRecordingDC::Call& c : dc.CallsOf("FillSolidRect")) {
        // The strip of the old numerator height (20) at the top, full width.
        if (c.args[0] == 0 && c.args[1] == 0 && c.args[2] == 62 && c.args[3] == 20)
            numeratorStrip = true;
        // The denominator did not move: its strip stays.
        EXPECT_FALSE(c.args[1] == 26 && c.args[3] == 46 && c.args[2] == 62);
    }
    EXPECT_TRUE(numeratorStrip);
}

struct Recorded {
    CRecordingDC dc;
    TestEditor t{&dc};
};

TEST(DeriveDraw, LettersOfTheFirstDerivative) {
    Recorded s;
    auto* d = NewAtom<CEqDerive>(s.t, s.t.RowOf("x"), s.t.RowOf("t"));
    RowPtr row(RowWith(s.t, d));
    s.t.Layout(row.get());
    CFont* font = s.dc.GetCurrentFont();
    CPen* pen = s.dc.GetCurrentPen();
    unsigned align = s.dc.GetTextAlign();
    s.dc.Clear();
    d->Draw();
    EXPECT_EQ(s.dc.GetCurrentFont(), font);
    EXPECT_EQ(s.dc.GetCurrentPen(), pen);
    EXPECT_EQ(s.dc.GetTextAlign(), align);
    std::vector<CRecordingDC::Call> letters = s.dc.CallsOf("TextOut");
    ASSERT_EQ(letters.size(), 2u);
    // x = 0 + 20 - (13 + 16)/2 = 6; y = 0 + 10 + 20/2 = 20, then
    // 46 - 20 + 10 + 10 = 46 for the lower one.
    EXPECT_EQ(letters[0].args, (std::vector<int>{6, 20}));
    EXPECT_EQ(letters[1].args, (std::vector<int>{6, 46}));
    for (const CRecordingDC::Call& c : letters) {
        EXPECT_EQ(c.text, "d");
        EXPECT_EQ(c.font, &s.t.wnd->m_fontBoldItalic);
        EXPECT_EQ(c.align, static_cast<unsigned>(TA_BOTTOM));
    }
    std::vector<CRecordingDC::Call> bar = s.dc.CallsOf("LineTo");
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].from, (POINT{2, 23}));
    EXPECT_EQ(bar[0].args, (std::vector<int>{38, 23}));
    EXPECT_EQ(bar[0].penValue.m_nWidth, 2);
    for (const CRecordingDC::Call& c : s.dc.InkCalls()) {
        RECT box;
        CRecordingDC::InkBox(c, &box);
        EXPECT_TRUE(Inside(box, d->m_rect)) << c.op << " " << c.text;
    }
}

TEST(DeriveDraw, LettersOfTheSecondDerivative) {
    Recorded s;
    auto* d = NewAtom<CEqDerive2>(s.t, s.t.RowOf("x"), s.t.RowOf("t"));
    RowPtr row(RowWith(s.t, d));
    s.t.Layout(row.get());
    CFont* font = s.dc.GetCurrentFont();
    CPen* pen = s.dc.GetCurrentPen();
    s.dc.Clear();
    d->Draw();
    EXPECT_EQ(s.dc.GetCurrentFont(), font);
    EXPECT_EQ(s.dc.GetCurrentPen(), pen);
    EXPECT_EQ(s.dc.GetTextAlign(), static_cast<unsigned>(TA_LEFT | TA_TOP));
    std::vector<CRecordingDC::Call> out = s.dc.CallsOf("TextOut");
    ASSERT_EQ(out.size(), 4u);
    // x1 = x2 = 25 - (16 + 13)/2 - 5 = 6; y1 = 10 + 10 + 1 + 3 = 24;
    // y2 = 54 - 20 + 10 + 10 = 54.
    EXPECT_EQ(out[0].args, (std::vector<int>{6, 24}));
    EXPECT_EQ(out[1].args, (std::vector<int>{6, 54}));
    // The "2"s: (6 + 55/4, 24 + 42/4 - 20) and (6 + 13 + 16/4 + 13, 54 - 20 + 10).
    EXPECT_EQ(out[2].args, (std::vector<int>{19, 14}));
    EXPECT_EQ(out[3].args, (std::vector<int>{36, 44}));
    EXPECT_EQ(out[0].font, &s.t.wnd->m_fontBoldItalic);
    EXPECT_EQ(out[1].font, &s.t.wnd->m_fontBoldItalic);
    EXPECT_EQ(out[2].text, "2");
    EXPECT_EQ(out[2].font, &s.t.wnd->m_fontSmallBoldItalic);
    EXPECT_EQ(out[3].font, &s.t.wnd->m_fontSmallBoldItalic);
    for (const CRecordingDC::Call& c : s.dc.InkCalls()) {
        RECT box;
        CRecordingDC::InkBox(c, &box);
        EXPECT_TRUE(Inside(box, d->m_rect)) << c.op << " " << c.text;
    }
}

TEST(DeriveDraw, TallNumeratorDropsNoExtraQuarter) {
    Recorded s;
    auto* d = NewAtom<CEqDerive2>(
        s.t, RowWith(s.t, FractionOf(s.t, s.t.RowOf("a"), s.t.RowOf("b"))), s.t.RowOf("t"));
    RowPtr row(RowWith(s.t, d));
    s.t.Layout(row.get());
    s.dc.Clear();
    d->Draw();
    std::vector<CRecordingDC::Call> out = s.dc.CallsOf("TextOut");
    ASSERT_EQ(out.size(), 4u);
    // x1 = 31 - (16 + 26)/2 - 5 = 5; y1 = 0 + 23 + 10 + 1 = 34 (no S.cy/4).
    // x2 = 31 - (16 + 13)/2 - 5 = 12; y2 = 77 - 20 + 10 + 10 = 77.
    EXPECT_EQ(out[0].args, (std::vector<int>{5, 34}));
    EXPECT_EQ(out[1].args, (std::vector<int>{12, 77}));
    // (5 + 13, 34 + 10 - 20) and (12 + 13 + 4 + 13, 77 - 20 + 10).
    EXPECT_EQ(out[2].args, (std::vector<int>{18, 24}));
    EXPECT_EQ(out[3].args, (std::vector<int>{42, 67}));
    std::vector<CRecordingDC::Call> lines = s.dc.CallsOf("LineTo");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().from, (POINT{2, 50}));
    EXPECT_EQ(lines.back().args, (std::vector<int>{61, 50}));
}

TEST(DeriveDraw, SmallFontInsideAnIndex) {
    Recorded s;
    auto* d = NewAtom<CEqDerive2>(s.t, s.t.RowOf("x"), s.t.RowOf("t"));
    RowPtr row(RowWith(s.t, d));
    s.dc.SelectObject(&s.t.wnd->m_fontSmall);
    s.t.Layout(row.get());
    s.dc.Clear();
    d->Draw();
    EXPECT_EQ(s.dc.GetCurrentFont(), &s.t.wnd->m_fontSmall);
    std::vector<CRecordingDC::Call> out = s.dc.CallsOf("TextOut");
    ASSERT_EQ(out.size(), 4u);
    for (const CRecordingDC::Call& c : out)
        EXPECT_EQ(c.font, &s.t.wnd->m_fontSmallBoldItalic) << c.text;
    // M = S = 8x14, W3 = 12, k = 5: x1 = 20 - 11 - 5 = 4, y1 = 7 + 7 + 1 + 3 = 18;
    // the "2"s at (4 + 10, 18 + 10 - 14) and (4 + 10 + 3 + 10, 40 - 14 + 10).
    EXPECT_EQ(out[0].args, (std::vector<int>{4, 18}));
    EXPECT_EQ(out[1].args, (std::vector<int>{4, 40}));
    EXPECT_EQ(out[2].args, (std::vector<int>{14, 14}));
    EXPECT_EQ(out[3].args, (std::vector<int>{27, 36}));

    // The first derivative's letters take the small bold italic font too.
    auto* e = NewAtom<CEqDerive>(s.t, s.t.RowOf("x"), s.t.RowOf("t"));
    RowPtr row2(RowWith(s.t, e));
    s.t.Layout(row2.get());
    s.dc.Clear();
    e->Draw();
    for (const CRecordingDC::Call& c : s.dc.CallsOf("TextOut"))
        EXPECT_EQ(c.font, &s.t.wnd->m_fontSmallBoldItalic);
    EXPECT_EQ(s.dc.GetCurrentFont(), &s.t.wnd->m_fontSmall);
}

} // namespace
