// What the brackets and the square root atom share: the bracket frame of
// their text, the keys that enter and leave the inner row, storage, copies,
// owner and composing, and drawing nothing out of view. Each test runs for
// both classes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AtomBuilders.h"
#include "CountingRow.h"
#include "RecordingDC.h"
#include "TreeCheck.h"

namespace {

// What the atom writes in front of its bracketed row.
template <typename T> std::string Lead();
template <> std::string Lead<CEqBrackets>() {
    return "";
}
template <> std::string Lead<CEqRoot>() {
    return " sqrt";
}

template <typename T> class SingleRowAtom : public ::testing::Test {
  protected:
    T* Around(CEqExpr* inner) const { return NewAtom<T>(t, inner); }
    T* Around(const std::string& inner) const { return Around(t.RowOf(inner)); }
    static std::string Framed(const std::string& inner) { return Lead<T>() + "( " + inner + " )"; }

    TestEditor t;
};

using SingleRowClasses = ::testing::Types<CEqBrackets, CEqRoot>;
TYPED_TEST_SUITE(SingleRowAtom, SingleRowClasses);

TYPED_TEST(SingleRowAtom, FrameBlankAndNotDoubled) {
    const TestEditor& t = this->t;
    std::unique_ptr<TypeParam> empty(this->Around(t.NewRow()));
    EXPECT_EQ(empty->ToText(), this->Framed("?"));
    EXPECT_TRUE(empty->IsBlank());
    std::unique_ptr<TypeParam> x(this->Around("x"));
    EXPECT_EQ(x->ToText(), this->Framed("x"));
    EXPECT_FALSE(x->IsBlank());
    // A lone bracket atom is not bracketed again.
    std::unique_ptr<TypeParam> bracketed(this->Around(RowWith(t, BracketsAround(t, t.RowOf("x")))));
    EXPECT_EQ(bracketed->ToText(), this->Framed("x"));
    // A bracket atom followed by more: plain concatenation inside the frame.
    CEqExpr* inner = RowWith(t, BracketsAround(t, t.RowOf("a")));
    inner->Append(SymbolOf('+'));
    inner->Append(SymbolOf('b'));
    std::unique_ptr<TypeParam> mixed(this->Around(inner));
    EXPECT_EQ(mixed->ToText(), this->Framed("( a )+b"));
    std::unique_ptr<TypeParam> frac(
        this->Around(RowWith(t, FractionOf(t, t.RowOf("a"), t.RowOf("b")))));
    EXPECT_EQ(frac->ToText(), this->Framed(" a / b "));
}

TYPED_TEST(SingleRowAtom, WritingTrimsTheInnerRow) {
    const TestEditor& t = this->t;
    auto* alone = this->Around("  a+b ");
    RowPtr row(RowWith(t, alone));
    EXPECT_EQ(row->ToText(false), this->Framed("a+b"));
    EXPECT_EQ(alone->m_pRow->GetCount(), 4);
    auto* after = this->Around("  x+1 ");
    RowPtr product(t.RowOf("2*"));
    product->Append(after);
    EXPECT_EQ(product->ToText(false), "2*" + this->Framed("x+1"));
    EXPECT_EQ(after->m_pRow->GetCount(), 4);
    auto* spaces = this->Around("   ");
    row->Append(spaces);
    EXPECT_TRUE(spaces->IsBlank());
    EXPECT_EQ(spaces->ToText(), this->Framed("?"));
    EXPECT_EQ(spaces->m_pRow->GetCount(), 1);
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");
    EXPECT_EQ(CheckTree(*product, t.data.get()), "");
}

TYPED_TEST(SingleRowAtom, NothingDrawnOutsideTheClientArea) {
    CRecordingDC dc;
    TestEditor t(&dc);
    auto* atom = NewAtom<TypeParam>(t, t.RowOf("x"));
    RowPtr row(RowWith(t, atom));
    for (POINT at : {POINT{800, 0}, POINT{801, 0}, POINT{-30, 0}, POINT{-40, 0}, POINT{0, 600},
                     POINT{0, -31}, POINT{0, -40}}) {
        t.Layout(row.get(), at.x, at.y);
        dc.Clear();
        atom->Draw();
        EXPECT_TRUE(dc.InkCalls().empty()) << at.x << "," << at.y;
    }
    // Touching the client's left edge counts as visible.
    t.Layout(row.get(), -atom->m_size.cx, 0);
    dc.Clear();
    atom->Draw();
    EXPECT_FALSE(dc.InkCalls().empty());
}

TYPED_TEST(SingleRowAtom, KeysEnterAndLeave) {
    AtomInRow<TypeParam> s("xy");
    CEqExpr* inner = s.atom->m_pRow.get();
    s.d().SetCaret(s.row.get(), 2);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.d().CurrentRow(), inner);
    EXPECT_EQ(s.d().CaretPos(), 2);
    s.d().SetCaret(s.row.get(), 1);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.d().CurrentRow(), inner);
    EXPECT_EQ(s.d().CaretPos(), 0);
    EXPECT_FALSE(s.atom->EnterFrom(VK_UP));
    EXPECT_FALSE(s.atom->EnterFrom(VK_DOWN));

    s.d().SetCaret(inner, 0);
    EXPECT_TRUE(s.Press(VK_LEFT));
    EXPECT_EQ(s.d().CurrentRow(), s.row.get());
    EXPECT_EQ(s.d().CaretPos(), 1);
    s.d().SetCaret(inner, 2);
    EXPECT_TRUE(s.Press(VK_RIGHT));
    EXPECT_EQ(s.d().CurrentRow(), s.row.get());
    EXPECT_EQ(s.d().CaretPos(), 2);
    // Up and Down go to the parent row, which at the top has no owner atom.
    s.d().SetCaret(inner, 1);
    EXPECT_FALSE(s.Press(VK_UP));
    EXPECT_FALSE(s.Press(VK_DOWN));
    EXPECT_EQ(s.d().CurrentRow(), inner);
    EXPECT_FALSE(s.atom->LeaveChild(inner, VK_TAB));
    EXPECT_EQ(s.d().CurrentRow(), inner);
    EXPECT_EQ(CheckCaret(s.d()), "");
}

TYPED_TEST(SingleRowAtom, ShiftAtAnEdgeSelectsTheAtom) {
    AtomInRow<TypeParam> s("xy");
    CEqExpr* inner = s.atom->m_pRow.get();
    s.t.wnd->PressKey(VK_SHIFT);
    struct Case {
        int pos;
        UINT vk;
        int anchor, caret;
    };
    const Case cases[] = {
        {0, VK_LEFT, 2, 1}, {2, VK_RIGHT, 1, 2}, {1, VK_UP, 2, 1}, {1, VK_DOWN, 1, 2}};
    for (const Case& c : cases) {
        s.d().SetCaret(inner, c.pos);
        EXPECT_TRUE(s.Press(c.vk)) << c.vk;
        EXPECT_EQ(s.d().CurrentRow(), s.row.get()) << c.vk;
        EXPECT_EQ(s.d().AnchorPos(), c.anchor) << c.vk;
        EXPECT_EQ(s.d().CaretPos(), c.caret) << c.vk;
        EXPECT_EQ(CheckCaret(s.d()), "");
    }
}

TYPED_TEST(SingleRowAtom, UpAndDownReachTheEnclosingFraction) {
    const TestEditor& t = this->t;
    auto* low = this->Around("x");
    auto* high = this->Around("y");
    auto* f = FractionOf(t, RowWith(t, high), RowWith(t, low));
    RowPtr row(RowWith(t, f));
    t.data->SetCaret(low->m_pRow.get(), 1);
    EXPECT_TRUE(low->m_pRow->HandleKey(VK_UP));
    EXPECT_EQ(t.data->CurrentRow(), f->m_pNumerator.get());
    EXPECT_EQ(t.data->CaretPos(), 1);
    t.data->SetCaret(high->m_pRow.get(), 0);
    EXPECT_TRUE(high->m_pRow->HandleKey(VK_DOWN));
    EXPECT_EQ(t.data->CurrentRow(), f->m_pDenominator.get());
    EXPECT_EQ(t.data->CaretPos(), 0);
    EXPECT_EQ(CheckCaret(*t.data), "");

    // Up arrives at the end of a longer numerator.
    auto* c = this->Around("c");
    auto* g = FractionOf(t, t.RowOf("ab"), RowWith(t, c));
    RowPtr row2(RowWith(t, g));
    t.data->SetCaret(c->m_pRow.get(), 1);
    EXPECT_TRUE(c->m_pRow->HandleKey(VK_UP));
    EXPECT_EQ(t.data->CurrentRow(), g->m_pNumerator.get());
    EXPECT_EQ(t.data->CaretPos(), 2);
    EXPECT_EQ(CheckCaret(*t.data), "");
}

TYPED_TEST(SingleRowAtom, StorageRoundTripAndTruncation) {
    const TestEditor& t = this->t;
    RowPtr row(t.RowOf("1+"));
    row->Append(this->Around(RowWith(t, BracketsAround(t, t.RowOf("a+b")))));
    t.Layout(row.get(), 3, 4);
    std::vector<uint8_t> image = Store(*row);
    bool complete = false;
    RowPtr loaded = Load(t, image, &complete);
    ASSERT_TRUE(complete);
    EXPECT_EQ(CheckTree(*loaded, t.data.get()), "");
    TypeParam probe;
    ASSERT_STREQ(loaded->GetAt(2)->ClassName(), probe.ClassName());
    auto* atom = static_cast<TypeParam*>(loaded->GetAt(2));
    EXPECT_EQ(atom->m_pRow->m_pOwnerAtom, atom);
    EXPECT_EQ(atom->m_rect, row->GetAt(2)->m_rect);
    EXPECT_EQ(Store(*loaded), image);
    EXPECT_EQ(loaded->ToText(false), "1+" + this->Framed("a+b"));
    ExpectCutImagesRejected(t, image);
}

TYPED_TEST(SingleRowAtom, CloneComposeAndOwner) {
    const TestEditor& t = this->t;
    TestEditor other;
    auto* atom = this->Around("x");
    RowPtr row(RowWith(t, atom));
    t.Layout(row.get());
    std::unique_ptr<CEqAtom> copy(atom->Clone());
    ASSERT_STREQ(copy->ClassName(), atom->ClassName());
    auto* c = static_cast<TypeParam*>(copy.get());
    EXPECT_NE(c->m_pRow.get(), atom->m_pRow.get());
    EXPECT_EQ(c->m_pRow->m_pOwnerAtom, c);
    EXPECT_EQ(c->m_size, atom->m_size);
    c->m_pRow->RemoveAt(0, false);
    EXPECT_EQ(atom->PeekText(), this->Framed("x"));
    EXPECT_EQ(c->PeekText(), this->Framed("?"));

    std::unique_ptr<TypeParam> counting(this->Around(new CountingRow(t.data.get(), 3)));
    EXPECT_EQ(counting->Compose(), 3);

    row->SetOwner(other.data.get());
    EXPECT_EQ(CheckTree(*row, other.data.get()), "");
    RowPtr holder(RowWith(t, copy.release()));
    EXPECT_EQ(CheckTree(*holder, t.data.get()), "");
}

} // namespace
