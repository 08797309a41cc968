// The expression row: structure, copies, normalising helpers, layout, caret
// and selection rectangles, hit tests and navigation.
#include <gtest/gtest.h>

#include <memory>

#include "TreeCheck.h"
#include "atoms/EqBrackets.h"
#include "elements/EqEmpty.h"
#include "elements/EqSymbol.h"

namespace {

using RowPtr = std::unique_ptr<CEqExpr>;

CEqBrackets* BracketsAround(const TestEditor& t, CEqExpr* inner) {
    auto* b = new CEqBrackets;
    b->m_pOwner = t.data.get();
    b->SetRow(inner);
    return b;
}

TEST(RowStructure, EmptyRowHasOnlyItsEndAtom) {
    TestEditor t;
    RowPtr row(t.NewRow());
    EXPECT_EQ(row->GetCount(), 1);
    EXPECT_TRUE(row->GetEnd()->IsEnd());
    EXPECT_TRUE(row->IsBlank());
    EXPECT_FALSE(row->IsSimple());
    EXPECT_EQ(row->ToText(false), "");
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");
}

TEST(RowStructure, EndAtomCannotBeRemoved) {
    TestEditor t;
    RowPtr row(t.RowOf("ab"));
    row->RemoveAt(2, true); // the end atom's index
    row->RemoveAt(-1, true);
    row->RemoveAt(3, true);
    EXPECT_EQ(row->ToText(false), "ab");
    row->RemoveRange(0, 10, true); // removes what it can, never the end atom
    EXPECT_EQ(row->GetCount(), 1);
    EXPECT_FALSE(static_cast<CEqEmpty*>(row->GetEnd())->IsCollapsed());
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");
}

TEST(RowStructure, InsertPastTheEndGoesBeforeTheEndAtom) {
    TestEditor t;
    RowPtr row(t.RowOf("a"));
    auto* b = new CEqSymbol;
    b->SetChar('b');
    row->InsertAt(b, 99);
    EXPECT_EQ(row->ToText(false), "ab");
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");
}

TEST(RowStructure, IndexOfFindsAtomsOnly) {
    TestEditor t;
    RowPtr row(t.RowOf("xyz"));
    EXPECT_EQ(row->IndexOf(row->GetAt(2)), 2);
    CEqSymbol stranger;
    EXPECT_EQ(row->IndexOf(&stranger), -1);
}

TEST(RowCopies, CloneIsDeepAndConsistent) {
    TestEditor t;
    RowPtr row(t.RowOf("a+"));
    row->Append(BracketsAround(t, t.RowOf("b")));
    RowPtr copy = row->Clone();
    EXPECT_EQ(copy->ToText(false), "a+( b )");
    EXPECT_EQ(CheckTree(*copy, t.data.get()), "");
    EXPECT_NE(copy->GetAt(2), row->GetAt(2));
    row.reset(); // the copy shares nothing
    EXPECT_EQ(copy->ToText(false), "a+( b )");
}

TEST(RowCopies, CloneSelectionCopiesTheSelectedAtoms) {
    TestEditor t;
    RowPtr row(t.RowOf("abcd"));
    t.data->SetSelection(row.get(), 3, 1);
    RowPtr part = row->CloneSelection();
    EXPECT_EQ(part->ToText(false), "bc");
    EXPECT_EQ(row->ToText(false), "abcd");
    t.data->SetCaret(row.get(), 2);
    RowPtr none = row->CloneSelection();
    EXPECT_EQ(none->GetCount(), 1);
    EXPECT_EQ(CheckTree(*part, t.data.get()), "");
}

TEST(RowCopies, SplitAtCaretMovesTheTail) {
    TestEditor t;
    RowPtr row(t.RowOf("abcd"));
    t.data->SetCaret(row.get(), 1);
    RowPtr tail = row->SplitAtCaret();
    EXPECT_EQ(row->ToText(false), "a");
    EXPECT_EQ(tail->ToText(false), "bcd");
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");
    EXPECT_EQ(CheckTree(*tail, t.data.get()), "");
    t.data->SetCaret(row.get(), 1); // at the end: nothing moves
    RowPtr empty = row->SplitAtCaret();
    EXPECT_EQ(empty->GetCount(), 1);
    EXPECT_EQ(row->ToText(false), "a");
}

TEST(RowCopies, InsertRowAtEndKeepsTheCaretAtTheSeam) {
    TestEditor t;
    RowPtr row(t.RowOf("ab"));
    RowPtr other(t.RowOf("cd"));
    row->InsertRow(*other, true);
    EXPECT_EQ(row->ToText(false), "abcd");
    EXPECT_EQ(t.data->CurrentRow(), row.get());
    EXPECT_EQ(t.data->CaretPos(), 2);
    EXPECT_EQ(other->ToText(false), "cd");
    EXPECT_EQ(CheckCaret(*t.data), "");
}

TEST(RowCopies, InsertRowReplacesTheSelection) {
    TestEditor t;
    RowPtr row(t.RowOf("axxb"));
    RowPtr other(t.RowOf("12"));
    t.data->SetSelection(row.get(), 1, 3);
    row->InsertRow(*other, false);
    EXPECT_EQ(row->ToText(false), "a12b");
    EXPECT_EQ(t.data->CaretPos(), 3);
    EXPECT_EQ(t.data->AnchorPos(), 3);
    EXPECT_EQ(CheckCaret(*t.data), "");
}

TEST(RowCopies, DeleteSelectionRemovesAndPlacesTheCaret) {
    TestEditor t;
    RowPtr row(t.RowOf("abcde"));
    t.data->SetCaret(row.get(), 2);
    EXPECT_FALSE(row->DeleteSelection());
    t.data->SetSelection(row.get(), 4, 1);
    EXPECT_TRUE(row->DeleteSelection());
    EXPECT_EQ(row->ToText(false), "ae");
    EXPECT_EQ(t.data->CaretPos(), 1);
    EXPECT_EQ(CheckCaret(*t.data), "");
}

TEST(RowHelpers, BlankAndSimple) {
    TestEditor t;
    EXPECT_TRUE(RowPtr(t.RowOf("   "))->IsBlank());
    EXPECT_TRUE(RowPtr(t.RowOf(" x1.a_b "))->IsSimple());
    EXPECT_TRUE(RowPtr(t.RowOf("\xC0\xFF"))->IsSimple()); // Cyrillic, 0xFF included
    EXPECT_FALSE(RowPtr(t.RowOf("x+1"))->IsSimple());
    EXPECT_FALSE(RowPtr(t.RowOf("   "))->IsSimple());
    EXPECT_FALSE(RowPtr(t.RowOf("a b"))->IsSimple());
    RowPtr single(t.NewRow());
    single->Append(BracketsAround(t, t.RowOf("a+b")));
    EXPECT_TRUE(single->IsSimple());
    EXPECT_FALSE(single->IsBlank()); // a compound atom is content
    RowPtr followed(t.NewRow());
    followed->Append(BracketsAround(t, t.RowOf("a")));
    RowPtr x(t.RowOf("x"));
    followed->Append(x->GetAt(0)->Clone());
    EXPECT_FALSE(followed->IsSimple());
}

TEST(RowHelpers, TrimRemovesOuterSpacesOnly) {
    TestEditor t;
    RowPtr row(t.RowOf("  a b  "));
    row->Trim();
    EXPECT_EQ(row->ToText(false), "a b");
    RowPtr blank(t.RowOf("   "));
    blank->Trim();
    EXPECT_EQ(blank->GetCount(), 1);
    EXPECT_FALSE(static_cast<CEqEmpty*>(blank->GetEnd())->IsCollapsed());
    EXPECT_EQ(CheckTree(*blank, t.data.get()), "");
}

TEST(RowHelpers, TrimUnwrapTakesOffOneLevel) {
    TestEditor t;
    RowPtr row(t.NewRow());
    row->Append(BracketsAround(t, t.RowOf(" a+b ")));
    row->TrimUnwrap();
    EXPECT_EQ(row->ToText(false), "a+b");
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");

    RowPtr nested(t.NewRow());
    CEqExpr* inner = t.NewRow();
    inner->Append(BracketsAround(t, t.RowOf("a")));
    nested->Append(BracketsAround(t, inner));
    nested->TrimUnwrap();
    ASSERT_EQ(nested->GetCount(), 2);
    EXPECT_TRUE(nested->GetAt(0)->IsClass("CEqBrackets"));
    EXPECT_EQ(CheckTree(*nested, t.data.get()), "");

    RowPtr followed(t.NewRow());
    followed->Append(BracketsAround(t, t.RowOf("a")));
    RowPtr tail(t.RowOf(" b"));
    followed->InsertRow(*tail, true);
    followed->TrimUnwrap();
    EXPECT_EQ(followed->GetCount(), 4);
    EXPECT_TRUE(followed->GetAt(0)->IsClass("CEqBrackets"));
}

TEST(RowHelpers, WrapIfNeeded) {
    TestEditor t;
    for (const char* text : {"x", "?", "   "}) {
        RowPtr row(t.RowOf(text));
        row->WrapIfNeeded();
        EXPECT_FALSE(row->GetAt(0)->IsClass("CEqBrackets")) << text;
    }
    RowPtr single(t.NewRow());
    single->Append(BracketsAround(t, t.RowOf("q")));
    single->WrapIfNeeded();
    EXPECT_EQ(single->GetCount(), 2); // already simple: left alone
    RowPtr sum(t.RowOf(" a+b "));
    sum->WrapIfNeeded();
    ASSERT_EQ(sum->GetCount(), 2);
    EXPECT_TRUE(sum->GetAt(0)->IsClass("CEqBrackets"));
    EXPECT_EQ(sum->ToText(false), "( a+b )");
    EXPECT_EQ(CheckTree(*sum, t.data.get()), "");
}

TEST(RowLayout, FoldingKeepsTheLowestAxisAndTallestParts) {
    TestEditor t;
    // Fold by hand as CalcSize does, through a row without the end atom.
    CEqExpr two(t.data.get());
    two.m_atoms.push_back(std::make_unique<CEqAtom>());
    two.m_atoms.push_back(std::make_unique<CEqAtom>());
    CEqAtom* a = two.GetAt(0);
    CEqAtom* b = two.GetAt(1);
    a->m_size = SIZE{10, 20};
    a->m_ptAnchor = POINT{5, 10};
    b->m_size = SIZE{7, 30};
    b->m_ptAnchor = POINT{3, 4};
    // Only fold (atom CalcSize does nothing for plain atoms).
    two.CalcSize();
    EXPECT_EQ(two.m_ptAnchor.y, 10);
    EXPECT_EQ(two.m_size.cy, 36); // 10 + max(20 - 10, 30 - 4)
    EXPECT_EQ(two.m_size.cx, 17);
    EXPECT_EQ(two.m_ptAnchor.x, 8);
}

TEST(RowLayout, SymbolsLineUpLeftToRight) {
    TestEditor t;
    RowPtr row(t.RowOf("ab"));
    t.Layout(row.get(), 10, 30);
    EXPECT_EQ(row->m_size, (SIZE{24, 20})); // 11 + 11 + collapsed end 2
    EXPECT_EQ(row->m_rect, (RECT{10, 30, 34, 50}));
    EXPECT_EQ(row->GetAt(0)->m_rect, (RECT{10, 30, 21, 50}));
    EXPECT_EQ(row->GetAt(1)->m_rect, (RECT{21, 30, 32, 50}));
    EXPECT_EQ(row->GetEnd()->m_rect, (RECT{32, 30, 34, 50}));
}

TEST(RowCaret, CaretAndSelectionRectangles) {
    TestEditor t;
    RowPtr empty(t.NewRow());
    t.data->SetCaret(empty.get(), 0);
    RECT r;
    empty->GetCaretRect(&r);
    EXPECT_TRUE(IsRectEmpty(r)); // never placed
    t.Layout(empty.get(), 0, 0);
    empty->GetCaretRect(&r);
    EXPECT_EQ(r, (RECT{1, 0, 2, 20})); // one pixel inside the placeholder

    RowPtr row(t.RowOf("abc"));
    t.Layout(row.get(), 0, 0);
    t.data->SetSelection(row.get(), 2, 0);
    row->GetSelectionRect(&r);
    EXPECT_EQ(r, (RECT{0, 0, 22, 20}));
    row->GetCaretRect(&r);
    EXPECT_EQ(r, (RECT{0, 0, 1, 20}));
    t.data->SetCaret(row.get(), 1);
    row->GetSelectionRect(&r);
    EXPECT_EQ(r, (RECT{11, 0, 11, 20}));
}

TEST(RowHitTest, ClicksPlaceTheCaretBySide) {
    TestEditor t;
    RowPtr row(t.RowOf("ab"));
    t.Layout(row.get(), 0, 0);
    POINT p{13, 5}; // left half of "b"
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->CaretPos(), 1);
    p = POINT{17, 5}; // right half of the last real atom
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->CaretPos(), 2);
    p = POINT{23, 5}; // on the end atom
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->CaretPos(), 2);
    p = POINT{200, 10}; // beyond the row on its line: clamped to the end
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->CaretPos(), 2);
    p = POINT{5, 100}; // below the row
    EXPECT_FALSE(row->HitTest(&p));
    EXPECT_EQ(CheckCaret(*t.data), "");
}

TEST(RowHitTest, DragSelectsWholeAtoms) {
    TestEditor t;
    RowPtr row(t.RowOf("abcd"));
    t.Layout(row.get(), 0, 0);
    POINT from{2, 5}, to{30, 5};
    EXPECT_TRUE(row->HitTestRange(&from, &to));
    EXPECT_EQ(t.data->AnchorPos(), 0);
    EXPECT_EQ(t.data->CaretPos(), 3);
    from = POINT{40, 5};
    to = POINT{1, 5}; // leftwards
    EXPECT_TRUE(row->HitTestRange(&from, &to));
    EXPECT_EQ(t.data->AnchorPos(), 4);
    EXPECT_EQ(t.data->CaretPos(), 0);
    from = POINT{1, 5};
    to = POINT{1, 300};
    EXPECT_FALSE(row->HitTestRange(&from, &to));
}

TEST(RowHitTest, ClickInsideBracketsReachesTheInnerRow) {
    TestEditor t;
    RowPtr row(t.NewRow());
    auto* b = BracketsAround(t, t.RowOf("xy"));
    row->Append(b);
    t.Layout(row.get(), 0, 0);
    POINT p{b->m_pRow->GetAt(1)->m_rect.left + 1, b->m_pRow->m_rect.top + 2};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->CurrentRow(), b->m_pRow.get());
    EXPECT_EQ(t.data->CaretPos(), 1);
    EXPECT_EQ(CheckCaret(*t.data), "");
}

TEST(RowKeys, ArrowsStepAndEnterCompoundAtoms) {
    TestEditor t;
    RowPtr row(t.RowOf("a"));
    auto* b = BracketsAround(t, t.RowOf("xy"));
    row->Append(b);
    t.data->SetCaret(row.get(), 1);
    EXPECT_TRUE(row->HandleKey(VK_RIGHT)); // enters the brackets
    EXPECT_EQ(t.data->CurrentRow(), b->m_pRow.get());
    EXPECT_EQ(t.data->CaretPos(), 0);
    EXPECT_TRUE(b->m_pRow->HandleKey(VK_END));
    EXPECT_EQ(t.data->CaretPos(), 2);
    EXPECT_TRUE(b->m_pRow->HandleKey(VK_RIGHT)); // leaves after the atom
    EXPECT_EQ(t.data->CurrentRow(), row.get());
    EXPECT_EQ(t.data->CaretPos(), 2);
    EXPECT_FALSE(row->HandleKey(VK_RIGHT)); // end of a top-level row
    EXPECT_TRUE(row->HandleKey(VK_HOME));
    EXPECT_FALSE(row->HandleKey(VK_LEFT)); // start of a top-level row
    EXPECT_FALSE(row->HandleKey(VK_UP));
    EXPECT_EQ(CheckCaret(*t.data), "");
}

TEST(RowKeys, ShiftExtendsWithoutEnteringAtoms) {
    TestEditor t;
    RowPtr row(t.RowOf("ab"));
    row->Append(BracketsAround(t, t.RowOf("x")));
    t.data->SetCaret(row.get(), 3);
    t.wnd->PressKey(VK_SHIFT);
    EXPECT_TRUE(row->HandleKey(VK_LEFT));
    EXPECT_TRUE(row->HandleKey(VK_LEFT));
    EXPECT_EQ(t.data->CurrentRow(), row.get());
    EXPECT_EQ(t.data->AnchorPos(), 3);
    EXPECT_EQ(t.data->CaretPos(), 1);
    EXPECT_TRUE(row->HandleKey(VK_END));
    EXPECT_EQ(t.data->AnchorPos(), 3);
    EXPECT_EQ(t.data->CaretPos(), 3);
}

TEST(EditorCaret, SetCaretAndSelectionClamp) {
    TestEditor t;
    RowPtr row(t.RowOf("abc")); // positions 0 .. 3
    EXPECT_EQ(t.data->SetCaret(row.get(), 9), 3);
    EXPECT_EQ(t.data->CaretPos(), 3);
    EXPECT_EQ(t.data->SetCaret(row.get(), -4), 4);
    EXPECT_EQ(t.data->CaretPos(), 0);
    EXPECT_EQ(t.data->SetSelection(row.get(), -1, 7), 3);
    EXPECT_EQ(t.data->AnchorPos(), 0);
    EXPECT_EQ(t.data->CaretPos(), 3);
    EXPECT_EQ(t.data->SetSelection(row.get(), 9, 1), 4);
    EXPECT_EQ(t.data->AnchorPos(), 3);
}

} // namespace
