// The first and second derivative atoms: text frames, layout on the
// headless metrics, band erasing, keys, storage, copies and drawing.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "RecordingDC.h"
#include "TreeCheck.h"
#include "atoms/EqBrackets.h"
#include "atoms/EqDerive.h"
#include "atoms/EqDerive2.h"
#include "atoms/EqFraction.h"
#include "atoms/EqIndex.h"
#include "atoms/EqPowIndex.h"
#include "platform/Archive.h"

namespace {

using RowPtr = std::unique_ptr<CEqExpr>;

template <typename T> T* DeriveOf(const TestEditor& t, CEqExpr* num, CEqExpr* den) {
    auto* d = new T;
    d->m_pOwner = t.data.get();
    d->SetRows(num, den);
    return d;
}

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

CEqIndex* MakeIndex(const TestEditor& t, CEqExpr* base, CEqExpr* index, bool high) {
    auto* i = new CEqIndex;
    i->m_pOwner = t.data.get();
    i->m_bHigh = high ? 1 : 0;
    i->SetRows(base, index);
    return i;
}

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

// The text a derivative of each class writes for the given rows.
std::pair<std::string, std::string> Texts(const TestEditor& t, const std::string& num,
                                          CEqExpr* den) {
    std::unique_ptr<CEqExpr> den2(den->Clone());
    std::unique_ptr<CEqDerive> d1(DeriveOf<CEqDerive>(t, t.RowOf(num), den));
    std::unique_ptr<CEqDerive> d2(DeriveOf<CEqDerive2>(t, t.RowOf(num), den2.release()));
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
    std::unique_ptr<CEqDerive> d(DeriveOf<CEqDerive>(t, t.NewRow(), t.RowOf(" ")));
    EXPECT_TRUE(d->IsBlank());
    std::unique_ptr<CEqDerive> e(DeriveOf<CEqDerive>(t, t.NewRow(), t.RowOf("t")));
    EXPECT_FALSE(e->IsBlank());
}

TEST(DeriveText, FunctionAlwaysBracketedButNeverDoubled) {
    TestEditor t;
    std::unique_ptr<CEqDerive> d(
        DeriveOf<CEqDerive>(t, RowWith(t, BracketsAround(t, t.RowOf("x+y"))), t.RowOf("t")));
    EXPECT_EQ(d->ToText(), " d( x+y ) / dt ");
    std::unique_ptr<CEqDerive> f(DeriveOf<CEqDerive2>(
        t, RowWith(t, FractionOf(t, t.RowOf("a"), t.RowOf("b"))), t.RowOf("t")));
    EXPECT_EQ(f->ToText(), " d2(  a / b  ) / dt ");
}

TEST(DeriveText, BracketedVariableKeepsTheTrailingBlank) {
    TestEditor t;
    std::unique_ptr<CEqDerive> d(
        DeriveOf<CEqDerive>(t, t.RowOf("x"), RowWith(t, BracketsAround(t, t.RowOf("a+b")))));
    EXPECT_EQ(d->ToText(), " d( x ) / d( a+b ) ");
    std::unique_ptr<CEqDerive> e(DeriveOf<CEqDerive>(t, t.RowOf("x"), t.RowOf("a+b")));
    EXPECT_EQ(e->ToText(), " d( x ) / d( a+b )");
}

TEST(DeriveText, StructuredVariables) {
    TestEditor t;
    // A low index stays bare: the blank in front and the one it writes.
    std::unique_ptr<CEqDerive> low(DeriveOf<CEqDerive>(
        t, t.RowOf("x"), RowWith(t, MakeIndex(t, t.RowOf("s"), t.RowOf("1"), false))));
    EXPECT_EQ(low->ToText(), " d( x ) / d  s[1] ");
    // A high index, a fraction, a derivative and a power index are bracketed.
    auto* high = MakeIndex(t, t.RowOf("s"), t.RowOf("2"), true);
    std::unique_ptr<CEqDerive> overHigh(DeriveOf<CEqDerive>(t, t.RowOf("x"), RowWith(t, high)));
    std::string highText = high->PeekText();
    EXPECT_EQ(overHigh->ToText(), " d( x ) / d( " + highText + " )");

    auto* frac = FractionOf(t, t.RowOf("a"), t.RowOf("b"));
    std::unique_ptr<CEqDerive> overFrac(DeriveOf<CEqDerive>(t, t.RowOf("x"), RowWith(t, frac)));
    EXPECT_EQ(overFrac->ToText(), " d( x ) / d(  a / b  )");

    auto* inner = DeriveOf<CEqDerive2>(t, t.RowOf("y"), t.RowOf("t"));
    std::unique_ptr<CEqDerive> overDerive(DeriveOf<CEqDerive>(t, t.RowOf("x"), RowWith(t, inner)));
    EXPECT_EQ(overDerive->ToText(), " d( x ) / d(  d2( y ) / dt  )");

    auto* pow = new CEqPowIndex;
    pow->m_pOwner = t.data.get();
    pow->SetRows(t.RowOf("s"), t.RowOf("i"), t.RowOf("2"));
    std::string powText = pow->PeekText();
    std::unique_ptr<CEqDerive> overPow(DeriveOf<CEqDerive>(t, t.RowOf("x"), RowWith(t, pow)));
    EXPECT_EQ(overPow->ToText(), " d( x ) / d( " + powText + " )");
}

TEST(DeriveText, WritingTrimsTheRows) {
    TestEditor t;
    auto* d = DeriveOf<CEqDerive2>(t, t.RowOf("  x+1 "), t.RowOf(" tau "));
    RowPtr row(RowWith(t, d));
    EXPECT_EQ(row->ToText(false), " d2( x+1 ) / d tau ");
    EXPECT_EQ(d->m_pNumerator->GetCount(), 4);
    EXPECT_EQ(d->m_pDenominator->GetCount(), 4);
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");
}

TEST(DeriveLayout, FirstDerivative) {
    TestEditor t;
    auto* d = DeriveOf<CEqDerive>(t, t.RowOf("x"), t.RowOf("t"));
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
    auto* d = DeriveOf<CEqDerive2>(t, t.RowOf("x"), t.RowOf("t"));
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
    auto* d = DeriveOf<CEqDerive2>(t, RowWith(t, FractionOf(t, t.RowOf("a"), t.RowOf("b"))),
                                   t.RowOf("t"));
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
    auto* d = DeriveOf<CEqDerive2>(t, t.RowOf("x"), t.RowOf("t"));
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
    auto* d = DeriveOf<CEqDerive>(t, t.RowOf("x"), t.RowOf("tau"));
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

// The parent row [a, D, b, end] with the derivative at index 1.
template <typename T> struct DeriveInRow {
    TestEditor t;
    CEqDerive* d;
    RowPtr row;
    DeriveInRow() : d(DeriveOf<T>(t, t.RowOf("xy"), t.RowOf("t"))), row(t.RowOf("ab")) {
        row->InsertAt(d, 1);
        t.Layout(row.get());
    }
    CVexlorData& data() { return *t.data; }
    bool Press(UINT vk) { return data().m_pCurRow->HandleKey(vk); }
};

template <typename T> class DeriveBoth : public ::testing::Test {};
using DeriveClasses = ::testing::Types<CEqDerive, CEqDerive2>;
TYPED_TEST_SUITE(DeriveBoth, DeriveClasses);

TYPED_TEST(DeriveBoth, KeysLeaveEachRowByTheTable) {
    DeriveInRow<TypeParam> s;
    CEqExpr* num = s.d->m_pNumerator;
    CEqExpr* den = s.d->m_pDenominator;
    struct Case {
        CEqExpr* from;
        int pos;
        UINT vk;
        bool handled;
        CEqExpr* to;
        int caret;
    };
    const Case cases[] = {
        {num, 0, VK_LEFT, true, s.row.get(), 1},  {num, 2, VK_RIGHT, true, den, 0},
        {num, 1, VK_DOWN, true, den, 0},          {num, 1, VK_UP, false, num, 1},
        {den, 0, VK_LEFT, true, num, 2},          {den, 1, VK_UP, true, num, 2},
        {den, 1, VK_RIGHT, true, s.row.get(), 2}, {den, 0, VK_DOWN, false, den, 0},
    };
    for (const Case& c : cases) {
        s.data().SetCaret(c.from, c.pos);
        EXPECT_EQ(s.Press(c.vk), c.handled) << c.vk;
        EXPECT_EQ(s.data().m_pCurRow, c.to) << c.vk;
        EXPECT_EQ(s.data().m_nCaret, c.caret) << c.vk;
        EXPECT_EQ(CheckCaret(s.data()), "");
    }
    RowPtr stranger(s.t.RowOf("q"));
    EXPECT_FALSE(s.d->LeaveChild(stranger.get(), VK_LEFT));
    EXPECT_FALSE(s.d->LeaveChild(num, VK_TAB));
}

TYPED_TEST(DeriveBoth, EnteringAndShiftSelection) {
    DeriveInRow<TypeParam> s;
    s.data().SetCaret(s.row.get(), 2);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.data().m_pCurRow, s.d->m_pDenominator);
    EXPECT_EQ(s.data().m_nCaret, 1);
    s.data().SetCaret(s.row.get(), 1);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.data().m_pCurRow, s.d->m_pNumerator);
    EXPECT_EQ(s.data().m_nCaret, 0);
    EXPECT_FALSE(s.d->EnterFrom(VK_DOWN));

    s.t.wnd->PressKey(VK_SHIFT);
    s.data().SetCaret(s.d->m_pNumerator, 0);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.data().m_pCurRow, s.row.get());
    EXPECT_EQ(s.data().m_nAnchor, 2);
    EXPECT_EQ(s.data().m_nCaret, 1);
    s.data().SetCaret(s.d->m_pDenominator, 1);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.data().m_nAnchor, 1);
    EXPECT_EQ(s.data().m_nCaret, 2);
    s.data().SetCaret(s.d->m_pDenominator, 0);
    EXPECT_TRUE(s.Press(VK_UP));
    EXPECT_EQ(s.data().m_nAnchor, 2);
    EXPECT_EQ(s.data().m_nCaret, 1);
    s.data().SetCaret(s.d->m_pNumerator, 1);
    EXPECT_TRUE(s.Press(VK_DOWN));
    EXPECT_EQ(s.data().m_nAnchor, 1);
    EXPECT_EQ(s.data().m_nCaret, 2);
    EXPECT_EQ(CheckCaret(s.data()), "");
}

TYPED_TEST(DeriveBoth, StoresAndLoadsItsClass) {
    TestEditor t;
    RowPtr row(RowWith(t, DeriveOf<TypeParam>(t, t.RowOf("x+1"), t.RowOf("t"))));
    t.Layout(row.get(), 40, 60);
    std::vector<uint8_t> image = Store(*row);
    bool complete = false;
    RowPtr loaded = Load(t, image, &complete);
    ASSERT_TRUE(complete);
    EXPECT_EQ(CheckTree(*loaded, t.data.get()), "");
    CEqAtom* atom = loaded->GetAt(0);
    TypeParam probe;
    EXPECT_STREQ(atom->ClassName(), probe.ClassName());
    auto* d = static_cast<CEqDerive*>(atom);
    EXPECT_EQ(d->m_pNumerator->m_pOwnerAtom, d);
    EXPECT_EQ(d->m_pDenominator->m_pOwnerAtom, d);
    EXPECT_EQ(d->m_rect, row->GetAt(0)->m_rect);
    EXPECT_EQ(Store(*loaded), image);
    EXPECT_EQ(loaded->ToText(false), row->ToText(false));

    for (size_t n = 0; n < image.size(); n += 7) {
        bool whole = true;
        RowPtr cut = Load(t, std::vector<uint8_t>(image.begin(), image.begin() + n), &whole);
        EXPECT_FALSE(whole) << n;
    }
}

TYPED_TEST(DeriveBoth, CloneKeepsClassAndCopiesRows) {
    TestEditor t;
    auto* d = DeriveOf<TypeParam>(t, t.RowOf("x"), t.RowOf("t"));
    RowPtr row(RowWith(t, d));
    t.Layout(row.get());
    std::unique_ptr<CEqAtom> copy(d->Clone());
    EXPECT_STREQ(copy->ClassName(), d->ClassName());
    auto* c = static_cast<CEqDerive*>(copy.get());
    EXPECT_NE(c->m_pNumerator, d->m_pNumerator);
    EXPECT_EQ(c->m_pNumerator->m_pOwnerAtom, c);
    EXPECT_EQ(c->m_pDenominator->m_pOwnerAtom, c);
    EXPECT_EQ(c->m_size, d->m_size);
    EXPECT_EQ(c->m_rect, d->m_rect);
    c->m_pDenominator->RemoveAt(0, false);
    EXPECT_EQ(d->m_pDenominator->GetCount(), 2);
    std::string text = copy->PeekText();
    EXPECT_EQ(text.substr(text.size() - 8), "/ d( ? )") << text;
    EXPECT_NE(d->PeekText(), text);
    RowPtr holder(RowWith(t, copy.release()));
    EXPECT_EQ(CheckTree(*holder, t.data.get()), "");
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

TYPED_TEST(DeriveBoth, ComposeAndOwner) {
    TestEditor t, other;
    std::vector<int> log;
    std::unique_ptr<CEqDerive> d(DeriveOf<TypeParam>(t, new CountingRow(t.data.get(), 4, &log),
                                                     new CountingRow(t.data.get(), 1, &log)));
    EXPECT_EQ(d->Compose(), 5);
    EXPECT_EQ(log, (std::vector<int>{4, 1}));
    RowPtr row(RowWith(t, DeriveOf<TypeParam>(t, t.RowOf("x"), t.RowOf("t"))));
    row->SetOwner(other.data.get());
    EXPECT_EQ(CheckTree(*row, other.data.get()), "");
}

TYPED_TEST(DeriveBoth, ClicksReachEachRow) {
    TestEditor t;
    auto* d = DeriveOf<TypeParam>(t, t.RowOf("x"), t.RowOf("t"));
    RowPtr row(RowWith(t, d));
    t.Layout(row.get());
    const RECT& n = d->m_pNumerator->m_rect;
    POINT p{n.left + 1, n.top + 5};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->m_pCurRow, d->m_pNumerator);
    EXPECT_EQ(t.data->m_nCaret, 0);
    const RECT& m = d->m_pDenominator->m_rect;
    p = POINT{m.left + 8, m.top + 5};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->m_pCurRow, d->m_pDenominator);
    EXPECT_EQ(t.data->m_nCaret, 1);
    // On the upper "d": the numerator draws the point in to its start.
    p = POINT{d->m_rect.left + 3, n.top + 5};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->m_pCurRow, d->m_pNumerator);
    EXPECT_EQ(t.data->m_nCaret, 0);
    // On the bar, left of the anchor: neither row, the caret goes before the atom.
    p = POINT{d->m_rect.left + 3, d->m_rect.top + d->m_ptAnchor.y};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->m_pCurRow, row.get());
    EXPECT_EQ(t.data->m_nCaret, 0);
}

struct Recorded {
    CRecordingDC dc;
    TestEditor t{&dc};
};

TEST(DeriveDraw, LettersOfTheFirstDerivative) {
    Recorded s;
    auto* d = DeriveOf<CEqDerive>(s.t, s.t.RowOf("x"), s.t.RowOf("t"));
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
    auto* d = DeriveOf<CEqDerive2>(s.t, s.t.RowOf("x"), s.t.RowOf("t"));
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
    auto* d = DeriveOf<CEqDerive2>(
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
    auto* d = DeriveOf<CEqDerive2>(s.t, s.t.RowOf("x"), s.t.RowOf("t"));
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
    auto* e = DeriveOf<CEqDerive>(s.t, s.t.RowOf("x"), s.t.RowOf("t"));
    RowPtr row2(RowWith(s.t, e));
    s.t.Layout(row2.get());
    s.dc.Clear();
    e->Draw();
    for (const CRecordingDC::Call& c : s.dc.CallsOf("TextOut"))
        EXPECT_EQ(c.font, &s.t.wnd->m_fontSmallBoldItalic);
    EXPECT_EQ(s.dc.GetCurrentFont(), &s.t.wnd->m_fontSmall);
}

TEST(DeriveDraw, NothingOutsideTheClientArea) {
    Recorded s;
    auto* d = DeriveOf<CEqDerive2>(s.t, s.t.RowOf("x"), s.t.RowOf("t"));
    RowPtr row(RowWith(s.t, d));
    for (POINT at : {POINT{850, 0}, POINT{-100, 0}, POINT{0, 650}, POINT{0, -80}}) {
        s.t.Layout(row.get(), at.x, at.y);
        s.dc.Clear();
        d->Draw();
        EXPECT_TRUE(s.dc.InkCalls().empty()) << at.x << "," << at.y;
    }
}

} // namespace
