// The square root atom: text frame, layout on the headless metrics, the
// radical sign, keys, storage and copies.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "RecordingDC.h"
#include "TreeCheck.h"
#include "atoms/EqBrackets.h"
#include "atoms/EqFraction.h"
#include "atoms/EqRoot.h"
#include "platform/Archive.h"

namespace {

using RowPtr = std::unique_ptr<CEqExpr>;

CEqRoot* RootOf(const TestEditor& t, CEqExpr* inner) {
    auto* r = new CEqRoot;
    r->m_pOwner = t.data.get();
    r->SetRow(inner);
    return r;
}

CEqBrackets* BracketsAround(const TestEditor& t, CEqExpr* inner) {
    auto* b = new CEqBrackets;
    b->m_pOwner = t.data.get();
    b->SetRow(inner);
    return b;
}

CEqFraction* FractionOf(const TestEditor& t, CEqExpr* num, CEqExpr* den) {
    auto* f = new CEqFraction;
    f->m_pOwner = t.data.get();
    f->SetRows(num, den);
    return f;
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

TEST(RootText, ArgumentInTheBracketFrame) {
    TestEditor t;
    std::unique_ptr<CEqRoot> empty(RootOf(t, t.NewRow()));
    EXPECT_EQ(empty->ToText(), " sqrt( ? )");
    EXPECT_TRUE(empty->IsBlank());
    std::unique_ptr<CEqRoot> x(RootOf(t, t.RowOf("x")));
    EXPECT_EQ(x->ToText(), " sqrt( x )");
    EXPECT_FALSE(x->IsBlank());
    // A lone bracket atom is not bracketed again.
    std::unique_ptr<CEqRoot> bracketed(RootOf(t, RowWith(t, BracketsAround(t, t.RowOf("x")))));
    EXPECT_EQ(bracketed->ToText(), " sqrt( x )");
    std::unique_ptr<CEqRoot> frac(RootOf(t, RowWith(t, FractionOf(t, t.RowOf("a"), t.RowOf("b")))));
    EXPECT_EQ(frac->ToText(), " sqrt(  a / b  )");
}

TEST(RootText, WritingTrimsTheArgument) {
    TestEditor t;
    auto* r = RootOf(t, t.RowOf("  x+1 "));
    RowPtr row(t.RowOf("2*"));
    row->Append(r);
    EXPECT_EQ(row->ToText(false), "2* sqrt( x+1 )");
    EXPECT_EQ(r->m_pRow->GetCount(), 4);
    auto* blank = RootOf(t, t.RowOf("   "));
    row->Append(blank);
    EXPECT_TRUE(blank->IsBlank());
    EXPECT_EQ(blank->ToText(), " sqrt( ? )");
    EXPECT_EQ(blank->m_pRow->GetCount(), 1);
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");
}

TEST(RootLayout, SingleLineArgument) {
    TestEditor t;
    auto* r = RootOf(t, t.RowOf("x+1"));
    RowPtr row(t.RowOf("a"));
    row->Append(r);
    t.Layout(row.get());
    // Argument: 3*11 + 2 = 35 wide, 20 high, anchor y 10. e = 20/2 = 10.
    // cy = 20 + 10 = 30; cx = 35 + 30/3 + 3 = 48; anchor (24, 10 + 10).
    EXPECT_EQ(r->m_size, (SIZE{48, 30}));
    EXPECT_EQ(r->m_ptAnchor, (POINT{24, 20}));
    // The row's axis is 20: "a" (anchor 10) sits 10 lower, the root at the top.
    EXPECT_EQ(r->m_rect, (RECT{11, 0, 59, 30}));
    // Bottom-left corner of the argument at (11 + 10, 30): top 10 below the atom's.
    EXPECT_EQ(r->m_pRow->m_rect, (RECT{21, 10, 56, 30}));
}

TEST(RootLayout, TallArgumentAndItsSign) {
    CRecordingDC dc;
    TestEditor t(&dc);
    auto* r = RootOf(t, RowWith(t, FractionOf(t, t.RowOf("a"), t.RowOf("b"))));
    RowPtr row(RowWith(t, r));
    t.Layout(row.get());
    // Argument: the fraction a/b (24x46, anchor y 23) and a collapsed end
    // atom: 26 wide, 46 high, anchor y 23.
    // cy = 46 + 10 = 56; cx = 26 + 56/3 + 3 = 47; anchor (23, 33).
    EXPECT_EQ(r->m_size, (SIZE{47, 56}));
    EXPECT_EQ(r->m_ptAnchor, (POINT{23, 33}));
    EXPECT_EQ(r->m_pRow->m_rect, (RECT{18, 10, 44, 56}));

    CFont* font = dc.GetCurrentFont();
    CPen* pen = dc.GetCurrentPen();
    dc.Clear();
    r->Draw();
    EXPECT_EQ(dc.GetCurrentFont(), font);
    EXPECT_EQ(dc.GetCurrentPen(), pen);
    // h = 56, s = 56/9 = 6: lead-in at mid height 28, down to the bottom,
    // up to the top, the overline, and the tick down to 0 + 20/6.
    std::vector<CRecordingDC::Call> moves = dc.CallsOf("MoveTo");
    std::vector<CRecordingDC::Call> lines = dc.CallsOf("LineTo");
    ASSERT_FALSE(moves.empty());
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(moves.back().args, (std::vector<int>{1, 28}));
    std::vector<std::vector<int>> sign;
    for (size_t i = lines.size() - 5; i < lines.size(); ++i) {
        sign.push_back(lines[i].args);
        EXPECT_EQ(lines[i].penValue.m_nWidth, 2);
        EXPECT_EQ(lines[i].penValue.m_nStyle, PS_SOLID);
    }
    std::vector<std::vector<int>> expected = {{6, 28}, {12, 55}, {18, 1}, {46, 1}, {46, 3}};
    EXPECT_EQ(sign, expected);
    for (const CRecordingDC::Call& c : dc.InkCalls()) {
        RECT box;
        CRecordingDC::InkBox(c, &box);
        EXPECT_TRUE(box.left >= r->m_rect.left && box.right <= r->m_rect.right &&
                    box.top >= r->m_rect.top && box.bottom <= r->m_rect.bottom)
            << c.op;
    }
}

TEST(RootDraw, NothingOutsideTheClientArea) {
    CRecordingDC dc;
    TestEditor t(&dc);
    auto* r = RootOf(t, t.RowOf("x"));
    RowPtr row(RowWith(t, r));
    for (POINT at : {POINT{801, 0}, POINT{-40, 0}, POINT{0, 600}, POINT{0, -31}}) {
        t.Layout(row.get(), at.x, at.y);
        dc.Clear();
        r->Draw();
        EXPECT_TRUE(dc.InkCalls().empty()) << at.x << "," << at.y;
    }
    // Touching the client's left edge counts as visible.
    t.Layout(row.get(), -r->m_size.cx, 0);
    dc.Clear();
    r->Draw();
    EXPECT_FALSE(dc.InkCalls().empty());
}

// The parent row [a, R, b, end] with the root at index 1.
struct RootInRow {
    TestEditor t;
    CEqRoot* r;
    RowPtr row;
    RootInRow() : r(RootOf(t, t.RowOf("xy"))), row(t.RowOf("ab")) {
        row->InsertAt(r, 1);
        t.Layout(row.get());
    }
    CVexlorData& d() { return *t.data; }
    bool Press(UINT vk) { return d().m_pCurRow->HandleKey(vk); }
};

TEST(RootKeys, EnterAndLeave) {
    RootInRow s;
    s.d().SetCaret(s.row.get(), 2);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.d().m_pCurRow, s.r->m_pRow);
    EXPECT_EQ(s.d().m_nCaret, 2);
    s.d().SetCaret(s.row.get(), 1);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.d().m_pCurRow, s.r->m_pRow);
    EXPECT_EQ(s.d().m_nCaret, 0);
    EXPECT_FALSE(s.r->EnterFrom(VK_UP));

    s.d().SetCaret(s.r->m_pRow, 0);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.d().m_pCurRow, s.row.get());
    EXPECT_EQ(s.d().m_nCaret, 1);
    s.d().SetCaret(s.r->m_pRow, 2);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.d().m_pCurRow, s.row.get());
    EXPECT_EQ(s.d().m_nCaret, 2);
    // Up and Down go to the parent row, which at the top has no owner atom.
    s.d().SetCaret(s.r->m_pRow, 1);
    EXPECT_FALSE(s.Press(VK_UP));
    EXPECT_FALSE(s.Press(VK_DOWN));
    EXPECT_EQ(s.d().m_pCurRow, s.r->m_pRow);
    EXPECT_FALSE(s.r->LeaveChild(s.r->m_pRow, VK_TAB));
    EXPECT_EQ(CheckCaret(s.d()), "");
}

TEST(RootKeys, ShiftAtAnEdgeSelectsTheRoot) {
    RootInRow s;
    s.t.wnd->PressKey(VK_SHIFT);
    s.d().SetCaret(s.r->m_pRow, 0);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.d().m_pCurRow, s.row.get());
    EXPECT_EQ(s.d().m_nAnchor, 2);
    EXPECT_EQ(s.d().m_nCaret, 1);
    s.d().SetCaret(s.r->m_pRow, 2);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.d().m_nAnchor, 1);
    EXPECT_EQ(s.d().m_nCaret, 2);
    s.d().SetCaret(s.r->m_pRow, 1);
    EXPECT_TRUE(s.Press(VK_UP));
    EXPECT_EQ(s.d().m_nAnchor, 2);
    EXPECT_EQ(s.d().m_nCaret, 1);
    s.d().SetCaret(s.r->m_pRow, 1);
    EXPECT_TRUE(s.Press(VK_DOWN));
    EXPECT_EQ(s.d().m_nAnchor, 1);
    EXPECT_EQ(s.d().m_nCaret, 2);
    EXPECT_EQ(CheckCaret(s.d()), "");
}

TEST(RootKeys, UpAndDownReachTheEnclosingFraction) {
    TestEditor t;
    auto* low = RootOf(t, t.RowOf("x"));
    auto* high = RootOf(t, t.RowOf("y"));
    auto* f = FractionOf(t, RowWith(t, high), RowWith(t, low));
    RowPtr row(RowWith(t, f));
    t.data->SetCaret(low->m_pRow, 1);
    EXPECT_TRUE(low->m_pRow->HandleKey(VK_UP));
    EXPECT_EQ(t.data->m_pCurRow, f->m_pNumerator);
    EXPECT_EQ(t.data->m_nCaret, 1);
    t.data->SetCaret(high->m_pRow, 0);
    EXPECT_TRUE(high->m_pRow->HandleKey(VK_DOWN));
    EXPECT_EQ(t.data->m_pCurRow, f->m_pDenominator);
    EXPECT_EQ(t.data->m_nCaret, 0);
    EXPECT_EQ(CheckCaret(*t.data), "");
}

TEST(RootMouse, ClicksAndDragsInTheArgument) {
    TestEditor t;
    auto* r = RootOf(t, t.RowOf("x+1"));
    RowPtr row(RowWith(t, r));
    t.Layout(row.get());
    // Argument (10, 10, 45, 30): "+" spans 21..32.
    ASSERT_EQ(r->m_pRow->m_rect, (RECT{10, 10, 45, 30}));
    POINT p{27, 20};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->m_pCurRow, r->m_pRow);
    EXPECT_EQ(t.data->m_nCaret, 2);
    POINT from{11, 15}, to{40, 15};
    EXPECT_TRUE(row->HitTestRange(&from, &to));
    EXPECT_EQ(t.data->m_pCurRow, r->m_pRow);
    EXPECT_EQ(t.data->m_nAnchor, 0);
    EXPECT_EQ(t.data->m_nCaret, 3);
    // Above the argument, on the overline: the caret goes beside the root.
    p = POINT{40, 3};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->m_pCurRow, row.get());
    EXPECT_EQ(t.data->m_nCaret, 1);
}

TEST(RootStorage, RoundTripAndTruncation) {
    TestEditor t;
    RowPtr row(t.RowOf("1+"));
    row->Append(RootOf(t, t.RowOf("x")));
    t.Layout(row.get(), 5, 5);
    std::vector<uint8_t> image = Store(*row);
    // 32 + 4 + two symbols (2 * 43) + "CEqRoot" 8 + base 32 + the row of "x"
    // 120 + the end atom 41.
    EXPECT_EQ(image.size(), 323u);
    bool complete = false;
    RowPtr loaded = Load(t, image, &complete);
    ASSERT_TRUE(complete);
    EXPECT_EQ(CheckTree(*loaded, t.data.get()), "");
    ASSERT_TRUE(loaded->GetAt(2)->IsClass("CEqRoot"));
    auto* r = static_cast<CEqRoot*>(loaded->GetAt(2));
    EXPECT_EQ(r->m_pRow->m_pOwnerAtom, r);
    EXPECT_EQ(r->m_rect, row->GetAt(2)->m_rect);
    EXPECT_EQ(Store(*loaded), image);
    EXPECT_EQ(loaded->ToText(false), "1+ sqrt( x )");
    for (size_t n = 0; n < image.size(); ++n) {
        bool whole = true;
        RowPtr cut = Load(t, std::vector<uint8_t>(image.begin(), image.begin() + n), &whole);
        EXPECT_FALSE(whole) << n;
    }
}

// A row whose Compose reports a fixed count.
class CountingRow : public CEqExpr {
  public:
    CountingRow(CVexlorData* owner, int formed) : CEqExpr(owner), m_nFormed(formed) { Clear(); }
    int Compose() override { return m_nFormed; }

  private:
    int m_nFormed;
};

TEST(RootTree, CloneComposeAndOwner) {
    TestEditor t, other;
    auto* r = RootOf(t, t.RowOf("x"));
    RowPtr row(RowWith(t, r));
    t.Layout(row.get());
    std::unique_ptr<CEqAtom> copy(r->Clone());
    ASSERT_TRUE(copy->IsClass("CEqRoot"));
    auto* c = static_cast<CEqRoot*>(copy.get());
    EXPECT_NE(c->m_pRow, r->m_pRow);
    EXPECT_EQ(c->m_pRow->m_pOwnerAtom, c);
    EXPECT_EQ(c->m_size, r->m_size);
    c->m_pRow->RemoveAt(0, false);
    EXPECT_EQ(r->PeekText(), " sqrt( x )");
    EXPECT_EQ(c->PeekText(), " sqrt( ? )");

    std::unique_ptr<CEqRoot> counting(RootOf(t, new CountingRow(t.data.get(), 3)));
    EXPECT_EQ(counting->Compose(), 3);

    row->SetOwner(other.data.get());
    EXPECT_EQ(CheckTree(*row, other.data.get()), "");
    RowPtr holder(RowWith(t, copy.release()));
    EXPECT_EQ(CheckTree(*holder, t.data.get()), "");
}

} // namespace
