// What the fraction and the two derivatives share: the keys that move
// between their numerator and denominator and out of the atom, clicks and
// drags, storage, copies, owner and composing, and drawing nothing out of
// view. Each test runs for all three classes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AtomBuilders.h"
#include "CountingRow.h"
#include "RecordingDC.h"
#include "TreeCheck.h"
#include "atoms/EqDerive.h"
#include "atoms/EqDerive2.h"

namespace {

template <typename T> class StackedAtom : public ::testing::Test {};
using StackedClasses = ::testing::Types<CEqFraction, CEqDerive, CEqDerive2>;
TYPED_TEST_SUITE(StackedAtom, StackedClasses);

TYPED_TEST(StackedAtom, KeysLeaveEachRowByTheTable) {
    AtomInRow<TypeParam> s("xy", "z");
    CEqExpr* num = s.atom->m_pNumerator.get();
    CEqExpr* den = s.atom->m_pDenominator.get();
    struct Case {
        CEqExpr* from;
        int pos;
        UINT vk;
        bool handled;
        CEqExpr* to;
        int caret;
    };
    // Up from the numerator and Down from the denominator go on to the
    // parent row, which at the top level has no owner atom.
    const Case cases[] = {
        {num, 0, VK_LEFT, true, s.row.get(), 1},  {num, 2, VK_RIGHT, true, den, 0},
        {num, 1, VK_DOWN, true, den, 0},          {num, 1, VK_UP, false, num, 1},
        {den, 0, VK_LEFT, true, num, 2},          {den, 1, VK_UP, true, num, 2},
        {den, 1, VK_RIGHT, true, s.row.get(), 2}, {den, 0, VK_DOWN, false, den, 0},
    };
    for (const Case& c : cases) {
        s.d().SetCaret(c.from, c.pos);
        EXPECT_EQ(s.Press(c.vk), c.handled) << c.vk;
        EXPECT_EQ(s.d().CurrentRow(), c.to) << c.vk;
        EXPECT_EQ(s.d().CaretPos(), c.caret) << c.vk;
        EXPECT_EQ(CheckCaret(s.d()), "");
    }
}

TYPED_TEST(StackedAtom, EnteringFromEitherSide) {
    AtomInRow<TypeParam> s("xy", "z");
    s.d().SetCaret(s.row.get(), 2);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.d().CurrentRow(), s.atom->m_pDenominator.get());
    EXPECT_EQ(s.d().CaretPos(), 1);
    s.d().SetCaret(s.row.get(), 1);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.d().CurrentRow(), s.atom->m_pNumerator.get());
    EXPECT_EQ(s.d().CaretPos(), 0);
    EXPECT_FALSE(s.atom->EnterFrom(VK_UP));
    EXPECT_FALSE(s.atom->EnterFrom(VK_DOWN));
    EXPECT_EQ(CheckCaret(s.d()), "");
}

TYPED_TEST(StackedAtom, ShiftAtAnEdgeSelectsTheWholeAtom) {
    AtomInRow<TypeParam> s("xy", "z");
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
        s.d().SetCaret(c.numerator ? s.atom->m_pNumerator.get() : s.atom->m_pDenominator.get(),
                       c.pos);
        EXPECT_TRUE(s.Press(c.vk)) << c.vk;
        EXPECT_EQ(s.d().CurrentRow(), s.row.get()) << c.vk;
        EXPECT_EQ(s.d().AnchorPos(), c.anchor) << c.vk;
        EXPECT_EQ(s.d().CaretPos(), c.caret) << c.vk;
        EXPECT_EQ(CheckCaret(s.d()), "");
    }
}

TYPED_TEST(StackedAtom, UpAndDownClimbToTheEnclosingFraction) {
    TestEditor t;
    // The inner atom sits in the outer fraction's denominator.
    auto* inner = NewAtom<TypeParam>(t, t.RowOf("p"), t.RowOf("q"));
    auto* outer = FractionOf(t, t.RowOf("ab"), RowWith(t, inner));
    RowPtr row(RowWith(t, outer));
    t.data->SetCaret(inner->m_pNumerator.get(), 0);
    EXPECT_TRUE(inner->m_pNumerator->HandleKey(VK_UP));
    EXPECT_EQ(t.data->CurrentRow(), outer->m_pNumerator.get());
    EXPECT_EQ(t.data->CaretPos(), 2);

    // And the other way round in a numerator.
    auto* inner2 = NewAtom<TypeParam>(t, t.RowOf("p"), t.RowOf("q"));
    auto* outer2 = FractionOf(t, RowWith(t, inner2), t.RowOf("c"));
    RowPtr row2(RowWith(t, outer2));
    t.data->SetCaret(inner2->m_pDenominator.get(), 1);
    EXPECT_TRUE(inner2->m_pDenominator->HandleKey(VK_DOWN));
    EXPECT_EQ(t.data->CurrentRow(), outer2->m_pDenominator.get());
    EXPECT_EQ(t.data->CaretPos(), 0);
    EXPECT_EQ(CheckCaret(*t.data), "");
}

TYPED_TEST(StackedAtom, ForeignRowsAndOtherKeysAreDeclined) {
    AtomInRow<TypeParam> s("xy", "z");
    RowPtr stranger(s.t.RowOf("q"));
    s.d().SetCaret(s.atom->m_pNumerator.get(), 1);
    EXPECT_FALSE(s.atom->LeaveChild(stranger.get(), VK_LEFT));
    EXPECT_FALSE(s.atom->LeaveChild(s.atom->m_pNumerator.get(), VK_TAB));
    EXPECT_FALSE(s.atom->LeaveChild(s.atom->m_pDenominator.get(), VK_RETURN));
    // A row that is not the atom's own selects nothing, even with Shift.
    s.t.wnd->PressKey(VK_SHIFT);
    EXPECT_FALSE(s.atom->LeaveChild(stranger.get(), VK_LEFT));
    EXPECT_EQ(s.d().CurrentRow(), s.atom->m_pNumerator.get());
    EXPECT_EQ(s.d().AnchorPos(), 1);
    EXPECT_EQ(s.d().CaretPos(), 1);
    // Not in any row: nothing to leave into.
    TestEditor t;
    std::unique_ptr<TypeParam> loose(NewAtom<TypeParam>(t, t.RowOf("a"), t.RowOf("b")));
    EXPECT_FALSE(loose->LeaveChild(loose->m_pNumerator.get(), VK_LEFT));
}

TYPED_TEST(StackedAtom, ClicksAndDragsReachEachRow) {
    TestEditor t;
    auto* atom = NewAtom<TypeParam>(t, t.RowOf("abc"), t.RowOf("de"));
    RowPtr row(RowWith(t, atom));
    t.Layout(row.get());
    // Symbols are 11 wide: 17 into the numerator is right of the middle of "b".
    const RECT& n = atom->m_pNumerator->m_rect;
    const RECT& m = atom->m_pDenominator->m_rect;
    POINT p{n.left + 18, n.top + 10};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->CurrentRow(), atom->m_pNumerator.get());
    EXPECT_EQ(t.data->CaretPos(), 2);
    p = POINT{m.left + 1, m.top + 4};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->CurrentRow(), atom->m_pDenominator.get());
    EXPECT_EQ(t.data->CaretPos(), 0);
    p = POINT{m.left + 8, m.top + 5};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->CurrentRow(), atom->m_pDenominator.get());
    EXPECT_EQ(t.data->CaretPos(), 1);
    // Left of the numerator but level with it (on a derivative's "d"): the
    // numerator draws the point in to its start.
    p = POINT{atom->m_rect.left + 3, n.top + 5};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->CurrentRow(), atom->m_pNumerator.get());
    EXPECT_EQ(t.data->CaretPos(), 0);
    // On the bar, between the rows: neither row takes it; the caret goes
    // before the atom left of its anchor x and after it right of it.
    const int bar = atom->m_rect.top + atom->m_ptAnchor.y;
    p = POINT{atom->m_rect.left + 3, bar};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->CurrentRow(), row.get());
    EXPECT_EQ(t.data->CaretPos(), 0);
    p = POINT{atom->m_rect.right - 3, bar};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->CurrentRow(), row.get());
    EXPECT_EQ(t.data->CaretPos(), 1);

    POINT from{n.left + 1, n.top + 5}, to{n.right - 3, n.top + 5};
    EXPECT_TRUE(row->HitTestRange(&from, &to));
    EXPECT_EQ(t.data->CurrentRow(), atom->m_pNumerator.get());
    EXPECT_EQ(t.data->AnchorPos(), 0);
    EXPECT_EQ(t.data->CaretPos(), 3);
    // From the numerator into the denominator: the whole atom.
    from = POINT{n.left + 1, n.top + 5};
    to = POINT{atom->m_rect.right - 6, m.top + 4};
    EXPECT_TRUE(row->HitTestRange(&from, &to));
    EXPECT_EQ(t.data->CurrentRow(), row.get());
    EXPECT_EQ(t.data->AnchorPos(), 0);
    EXPECT_EQ(t.data->CaretPos(), 1);
    EXPECT_EQ(CheckCaret(*t.data), "");
}

TYPED_TEST(StackedAtom, StoresAndLoadsItsClass) {
    TestEditor t;
    auto* atom = NewAtom<TypeParam>(t, t.RowOf("x+1"), t.RowOf("t"));
    RowPtr row(RowWith(t, atom));
    t.Layout(row.get(), 40, 60);
    std::vector<uint8_t> image = Store(*row);
    bool complete = false;
    RowPtr loaded = Load(t, image, &complete);
    ASSERT_TRUE(complete);
    EXPECT_EQ(CheckTree(*loaded, t.data.get()), "");
    ASSERT_STREQ(loaded->GetAt(0)->ClassName(), atom->ClassName());
    auto* copy = static_cast<TypeParam*>(loaded->GetAt(0));
    EXPECT_EQ(copy->m_pNumerator->m_pOwnerAtom, copy);
    EXPECT_EQ(copy->m_pDenominator->m_pOwnerAtom, copy);
    // Same classes, characters and geometry all the way down.
    ExpectSameRow(*row, *loaded);
    EXPECT_EQ(Store(*loaded), image);
    EXPECT_EQ(loaded->ToText(false), row->ToText(false));

    ExpectCutImagesRejected(t, image);
}

TYPED_TEST(StackedAtom, CloneKeepsClassAndCopiesRows) {
    TestEditor t;
    auto* atom = NewAtom<TypeParam>(t, t.RowOf("a"), t.RowOf("t"));
    RowPtr row(RowWith(t, atom));
    t.Layout(row.get());
    const std::string text = atom->PeekText();
    std::unique_ptr<CEqAtom> copy(atom->Clone());
    ExpectSameAtom(*copy, *atom);
    auto* c = static_cast<TypeParam*>(copy.get());
    EXPECT_NE(c->m_pNumerator.get(), atom->m_pNumerator.get());
    EXPECT_NE(c->m_pDenominator.get(), atom->m_pDenominator.get());
    EXPECT_EQ(c->m_pNumerator->m_pOwnerAtom, c);
    EXPECT_EQ(c->m_pDenominator->m_pOwnerAtom, c);
    EXPECT_EQ(c->m_pParent, atom->m_pParent);
    // Changing the copy leaves the original alone.
    c->m_pNumerator->Append(SymbolOf('z'));
    c->m_pDenominator->RemoveAt(0, false);
    EXPECT_EQ(atom->m_pDenominator->GetCount(), 2);
    EXPECT_EQ(atom->PeekText(), text);
    std::string changed = copy->PeekText();
    EXPECT_NE(changed, text);
    EXPECT_EQ(changed.substr(changed.size() - 5), "( ? )") << changed;
    RowPtr holder(RowWith(t, copy.release()));
    EXPECT_EQ(CheckTree(*holder, t.data.get()), "");
}

TYPED_TEST(StackedAtom, ComposeAddsNumeratorThenDenominator) {
    TestEditor t;
    std::vector<int> log;
    std::unique_ptr<TypeParam> atom(NewAtom<TypeParam>(t, new CountingRow(t.data.get(), 4, &log),
                                                       new CountingRow(t.data.get(), 1, &log)));
    EXPECT_EQ(atom->Compose(), 5);
    EXPECT_EQ(log, (std::vector<int>{4, 1}));
}

TYPED_TEST(StackedAtom, OwnerReachesEveryAtom) {
    TestEditor t, other;
    RowPtr row(RowWith(t, NewAtom<TypeParam>(t, t.RowOf("a"), t.RowOf("b"))));
    row->SetOwner(other.data.get());
    EXPECT_EQ(CheckTree(*row, other.data.get()), "");
}

TYPED_TEST(StackedAtom, SetRowsReplacesAndAdopts) {
    TestEditor t;
    auto* atom = NewAtom<TypeParam>(t, t.RowOf("a"), t.RowOf("b"));
    RowPtr row(RowWith(t, atom));
    atom->SetRows(t.RowOf("c"), t.RowOf("d"));
    EXPECT_EQ(atom->m_pNumerator->PeekText(), "c");
    EXPECT_EQ(atom->m_pDenominator->PeekText(), "d");
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");
    EXPECT_EQ(atom->GetRowCount(), 2);
    EXPECT_EQ(atom->GetRow(0), atom->m_pNumerator.get());
    EXPECT_EQ(atom->GetRow(1), atom->m_pDenominator.get());
    EXPECT_EQ(atom->GetRow(2), nullptr);
    EXPECT_EQ(atom->GetRow(-1), nullptr);
}

TYPED_TEST(StackedAtom, NothingDrawnOutsideTheClientArea) {
    CRecordingDC dc;
    TestEditor t(&dc);
    auto* atom = NewAtom<TypeParam>(t, t.RowOf("abc"), t.RowOf("d"));
    RowPtr row(RowWith(t, atom));
    for (POINT at : {POINT{850, 0}, POINT{900, 10}, POINT{-100, 0}, POINT{-300, 10}, POINT{0, 650},
                     POINT{10, 700}, POINT{0, -80}, POINT{10, -200}}) {
        t.Layout(row.get(), at.x, at.y);
        dc.Clear();
        atom->Draw();
        row->Draw();
        EXPECT_TRUE(dc.InkCalls().empty()) << at.x << "," << at.y;
    }
}

} // namespace
