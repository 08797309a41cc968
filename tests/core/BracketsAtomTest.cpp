// The brackets atom: text frame, layout on the headless metrics, the two
// arcs, keys, mouse, storage and copies.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "RecordingDC.h"
#include "TreeCheck.h"
#include "atoms/EqBrackets.h"
#include "atoms/EqFraction.h"
#include "platform/Archive.h"

namespace {

using RowPtr = std::unique_ptr<CEqExpr>;

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

TEST(BracketsText, FrameBlankAndNotDoubled) {
    TestEditor t;
    std::unique_ptr<CEqBrackets> empty(BracketsAround(t, t.NewRow()));
    EXPECT_EQ(empty->ToText(), "( ? )");
    EXPECT_TRUE(empty->IsBlank());
    std::unique_ptr<CEqBrackets> a(BracketsAround(t, t.RowOf("a")));
    EXPECT_EQ(a->ToText(), "( a )");
    EXPECT_FALSE(a->IsBlank());
    std::unique_ptr<CEqBrackets> twice(
        BracketsAround(t, RowWith(t, BracketsAround(t, t.RowOf("a")))));
    EXPECT_EQ(twice->ToText(), "( a )");
    // A bracket atom followed by more: plain concatenation inside the frame.
    CEqExpr* inner = RowWith(t, BracketsAround(t, t.RowOf("a")));
    RowPtr tail(t.RowOf("+b"));
    for (int i = 0; i + 1 < tail->GetCount(); ++i)
        inner->Append(tail->GetAt(i)->Clone());
    std::unique_ptr<CEqBrackets> mixed(BracketsAround(t, inner));
    EXPECT_EQ(mixed->ToText(), "( ( a )+b )");
}

TEST(BracketsText, WritingTrimsTheInnerRow) {
    TestEditor t;
    auto* b = BracketsAround(t, t.RowOf("  a+b "));
    RowPtr row(RowWith(t, b));
    EXPECT_EQ(row->ToText(false), "( a+b )");
    EXPECT_EQ(b->m_pRow->GetCount(), 4);
    auto* spaces = BracketsAround(t, t.RowOf("  "));
    row->Append(spaces);
    EXPECT_TRUE(spaces->IsBlank());
    EXPECT_EQ(spaces->ToText(), "( ? )");
    EXPECT_EQ(spaces->m_pRow->GetCount(), 1);
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");
}

TEST(BracketsLayout, EmptyAndFilled) {
    CRecordingDC dc;
    TestEditor t(&dc);
    auto* empty = BracketsAround(t, t.NewRow());
    auto* sum = BracketsAround(t, t.RowOf("x+1"));
    RowPtr row(RowWith(t, empty));
    row->Append(sum);
    t.Layout(row.get());
    // Empty: the placeholder 11x20. cy = 20 + 20/2 = 30; cx = 11 + 30/3 + 2 = 23;
    // anchor (11, 10 + 20/4) = (11, 15).
    EXPECT_EQ(empty->m_size, (SIZE{23, 30}));
    EXPECT_EQ(empty->m_ptAnchor, (POINT{11, 15}));
    // "x+1": 35 wide, anchor (17, 10). cy = 30; cx = 35 + 10 + 2 = 47; anchor (23, 15).
    EXPECT_EQ(sum->m_size, (SIZE{47, 30}));
    EXPECT_EQ(sum->m_ptAnchor, (POINT{23, 15}));
    EXPECT_EQ(sum->m_rect, (RECT{23, 0, 70, 30}));
    // Inner row by its anchor at (23 + 23, 15): left 46 - 17, top 15 - 10.
    EXPECT_EQ(sum->m_pRow->m_rect, (RECT{29, 5, 64, 25}));

    CFont* font = dc.GetCurrentFont();
    CPen* pen = dc.GetCurrentPen();
    dc.Clear();
    sum->Draw();
    EXPECT_EQ(dc.GetCurrentFont(), font);
    EXPECT_EQ(dc.GetCurrentPen(), pen);
    // h = 30, w3 = 10, w6 = 5; l = 23, r = 70.
    std::vector<CRecordingDC::Call> arcs = dc.CallsOf("Arc");
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0].args, (std::vector<int>{24, 1, 34, 29, 29, 1, 29, 29}));
    EXPECT_EQ(arcs[1].args, (std::vector<int>{59, 1, 69, 29, 64, 29, 64, 1}));
    EXPECT_EQ(arcs[0].penValue.m_nWidth, 2);
    EXPECT_EQ(dc.CallsOf("DrawText").size(), 3u);
}

TEST(BracketsDraw, NothingOutsideTheClientArea) {
    CRecordingDC dc;
    TestEditor t(&dc);
    auto* b = BracketsAround(t, t.RowOf("x"));
    RowPtr row(RowWith(t, b));
    for (POINT at : {POINT{800, 0}, POINT{-30, 0}, POINT{0, 600}, POINT{0, -40}}) {
        t.Layout(row.get(), at.x, at.y);
        dc.Clear();
        b->Draw();
        EXPECT_TRUE(dc.InkCalls().empty()) << at.x << "," << at.y;
    }
}

struct BracketsInRow {
    TestEditor t;
    CEqBrackets* b;
    RowPtr row;
    BracketsInRow() : b(BracketsAround(t, t.RowOf("xy"))), row(t.RowOf("ab")) {
        row->InsertAt(b, 1);
        t.Layout(row.get());
    }
    CVexlorData& d() { return *t.data; }
    bool Press(UINT vk) { return d().m_pCurRow->HandleKey(vk); }
};

TEST(BracketsKeys, EnterAndLeave) {
    BracketsInRow s;
    s.d().SetCaret(s.row.get(), 2);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.d().m_pCurRow, s.b->m_pRow);
    EXPECT_EQ(s.d().m_nCaret, 2);
    s.d().SetCaret(s.row.get(), 1);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.d().m_pCurRow, s.b->m_pRow);
    EXPECT_EQ(s.d().m_nCaret, 0);
    s.d().SetCaret(s.b->m_pRow, 2);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.d().m_pCurRow, s.row.get());
    EXPECT_EQ(s.d().m_nCaret, 2);
    s.d().SetCaret(s.b->m_pRow, 0);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.d().m_pCurRow, s.row.get());
    EXPECT_EQ(s.d().m_nCaret, 1);
    s.d().SetCaret(s.b->m_pRow, 1);
    EXPECT_FALSE(s.Press(VK_UP));
    EXPECT_FALSE(s.b->EnterFrom(VK_DOWN));
    EXPECT_FALSE(s.b->LeaveChild(s.b->m_pRow, VK_TAB));
    EXPECT_EQ(s.d().m_pCurRow, s.b->m_pRow);
    EXPECT_EQ(CheckCaret(s.d()), "");
}

TEST(BracketsKeys, ShiftAtAnEdgeSelectsTheBrackets) {
    BracketsInRow s;
    s.t.wnd->PressKey(VK_SHIFT);
    s.d().SetCaret(s.b->m_pRow, 0);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.d().m_pCurRow, s.row.get());
    EXPECT_EQ(s.d().m_nAnchor, 2);
    EXPECT_EQ(s.d().m_nCaret, 1);
    s.d().SetCaret(s.b->m_pRow, 2);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.d().m_nAnchor, 1);
    EXPECT_EQ(s.d().m_nCaret, 2);
    EXPECT_EQ(CheckCaret(s.d()), "");
}

TEST(BracketsKeys, UpInsideADenominatorReachesTheNumerator) {
    TestEditor t;
    auto* b = BracketsAround(t, t.RowOf("c"));
    auto* f = FractionOf(t, t.RowOf("ab"), RowWith(t, b));
    RowPtr row(RowWith(t, f));
    t.data->SetCaret(b->m_pRow, 1);
    EXPECT_TRUE(b->m_pRow->HandleKey(VK_UP));
    EXPECT_EQ(t.data->m_pCurRow, f->m_pNumerator);
    EXPECT_EQ(t.data->m_nCaret, 2);
    EXPECT_EQ(CheckCaret(*t.data), "");
}

TEST(BracketsStorage, RoundTripKeepsTheInnerRow) {
    TestEditor t;
    RowPtr row(RowWith(t, BracketsAround(t, RowWith(t, BracketsAround(t, t.RowOf("a+b"))))));
    t.Layout(row.get(), 3, 4);
    std::vector<uint8_t> image = Store(*row);
    bool complete = false;
    RowPtr loaded = Load(t, image, &complete);
    ASSERT_TRUE(complete);
    EXPECT_EQ(CheckTree(*loaded, t.data.get()), "");
    ASSERT_TRUE(loaded->GetAt(0)->IsClass("CEqBrackets"));
    auto* b = static_cast<CEqBrackets*>(loaded->GetAt(0));
    EXPECT_EQ(b->m_pRow->m_pOwnerAtom, b);
    EXPECT_EQ(b->m_rect, row->GetAt(0)->m_rect);
    EXPECT_EQ(Store(*loaded), image);
    EXPECT_EQ(loaded->ToText(false), "( a+b )");
    for (size_t n = 0; n < image.size(); n += 3) {
        bool whole = true;
        RowPtr cut = Load(t, std::vector<uint8_t>(image.begin(), image.begin() + n), &whole);
        EXPECT_FALSE(whole) << n;
    }
}

TEST(BracketsTree, CloneIsDeep) {
    TestEditor t;
    auto* b = BracketsAround(t, t.RowOf("x"));
    RowPtr row(RowWith(t, b));
    std::unique_ptr<CEqAtom> copy(b->Clone());
    auto* c = static_cast<CEqBrackets*>(copy.get());
    ASSERT_TRUE(copy->IsClass("CEqBrackets"));
    EXPECT_NE(c->m_pRow, b->m_pRow);
    EXPECT_EQ(c->m_pRow->m_pOwnerAtom, c);
    c->m_pRow->RemoveAt(0, false);
    EXPECT_EQ(b->PeekText(), "( x )");
    RowPtr holder(RowWith(t, copy.release()));
    EXPECT_EQ(CheckTree(*holder, t.data.get()), "");
}

} // namespace
