// What the three kinds of index atom share: a low index, a high index and
// the power index with both. Navigation by the key tables, Shift selection,
// entering, rows, owners and copies, missing and blank rows, damaged images,
// the small font of nested atoms and drawing nothing out of view. Each test
// runs for every kind it names.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "AtomBuilders.h"
#include "RecordingDC.h"
#include "TreeCheck.h"

namespace {

enum class Kind { Low, High, Pow };

std::string KindName(Kind kind) {
    switch (kind) {
    case Kind::Low:
        return "Low";
    case Kind::High:
        return "High";
    default:
        return "Pow";
    }
}

std::string KeyName(UINT vk) {
    switch (vk) {
    case VK_LEFT:
        return "Left";
    case VK_RIGHT:
        return "Right";
    case VK_UP:
        return "Up";
    default:
        return "Down";
    }
}

// An atom of the kind with the given base, low and high rows; an index of
// one kind takes only the row of its kind. Null rows stay null.
CEqAtom* NewOfKind(const TestEditor& t, Kind kind, CEqExpr* base, CEqExpr* low, CEqExpr* high) {
    switch (kind) {
    case Kind::Low:
        delete high;
        return NewIndex(t, base, low, false);
    case Kind::High:
        delete low;
        return NewIndex(t, base, high, true);
    default:
        return NewPow(t, base, low, high);
    }
}

CEqAtom* NewOfKind(const TestEditor& t, Kind kind, const std::string& base, const std::string& low,
                   const std::string& high) {
    return NewOfKind(t, kind, t.RowOf(base), t.RowOf(low), t.RowOf(high));
}

// The rows by their place: the low index row or the high index row, null
// when the kind has none.
CEqExpr* LowRow(const CEqAtom* atom, Kind kind) {
    return kind == Kind::High ? nullptr : atom->GetRow(1);
}

CEqExpr* HighRow(const CEqAtom* atom, Kind kind) {
    return atom->GetRow(kind == Kind::Pow ? 2 : kind == Kind::High ? 1 : -1);
}

// The atom stands between "a" and "b" (index 1) in the row P, which is the
// base of an outer power index, so a key that travels on through P shows
// where it arrives: Up in the outer high row, Down in the outer low row.
struct Nav {
    explicit Nav(Kind k) : kind(k) {
        atom = NewOfKind(ed, kind, "xy", "ij", "mn");
        parent = ed.RowOf("a");
        parent->Append(atom);
        parent->Append(SymbolOf('b'));
        outer = NewPow(ed, parent, ed.RowOf("l"), ed.RowOf("h"));
        top.reset(RowWith(ed, outer));
    }
    // P the parent, B L H the atom's base, low and high row, l h the outer ones.
    CEqExpr* Row(char which) const {
        switch (which) {
        case 'P':
            return parent;
        case 'B':
            return atom->GetRow(0);
        case 'L':
            return LowRow(atom, kind);
        case 'H':
            return HighRow(atom, kind);
        case 'l':
            return outer->m_pLow.get();
        case 'h':
            return outer->m_pHigh.get();
        default:
            return nullptr;
        }
    }
    // Presses vk in a row with the caret where the key reaches the row's edge.
    bool Press(char from, UINT vk) {
        CEqExpr* row = Row(from);
        ed.data->SetCaret(row, vk == VK_RIGHT ? row->GetCount() - 1 : 0);
        return row->HandleKey(vk);
    }
    Kind kind;
    TestEditor ed;
    std::unique_ptr<CEqExpr> top;
    CEqPowIndex* outer = nullptr;
    CEqExpr* parent = nullptr;
    CEqAtom* atom = nullptr;
};

// The name of a key case: kind, row and key, as in "Pow_L_Down".
template <typename Case> std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    const Case& c = info.param;
    return KindName(c.kind) + "_" + c.from + "_" + KeyName(c.vk);
}

struct NavCase {
    Kind kind;
    char from;
    UINT vk;
    char to;
    int pos; // -1: the end of the row
};

void PrintTo(const NavCase& c, std::ostream* os) {
    *os << KindName(c.kind) << " " << c.from << " " << KeyName(c.vk) << " -> " << c.to;
}

class IndexNavigation : public ::testing::TestWithParam<NavCase> {};

TEST_P(IndexNavigation, LeavesTheRowByTheTable) {
    const NavCase& c = GetParam();
    Nav nav(c.kind);
    EXPECT_TRUE(nav.Press(c.from, c.vk));
    CEqExpr* expected = nav.Row(c.to);
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(nav.ed.data->CurrentRow(), expected);
    int pos = c.pos < 0 ? expected->GetCount() - 1 : c.pos;
    EXPECT_EQ(nav.ed.data->CaretPos(), pos);
    EXPECT_EQ(nav.ed.data->AnchorPos(), pos);
    EXPECT_EQ(CheckCaret(*nav.ed.data), "");
}

const NavCase kNavCases[] = {
    // Low index: Down reaches the index, Up travels on.
    {Kind::Low, 'B', VK_LEFT, 'P', 1},
    {Kind::Low, 'B', VK_UP, 'h', 0},
    {Kind::Low, 'B', VK_RIGHT, 'L', 0},
    {Kind::Low, 'B', VK_DOWN, 'L', 0},
    {Kind::Low, 'L', VK_LEFT, 'B', -1},
    {Kind::Low, 'L', VK_UP, 'B', -1},
    {Kind::Low, 'L', VK_RIGHT, 'P', 2},
    {Kind::Low, 'L', VK_DOWN, 'l', 0},
    // High index: Up reaches the index, Down travels on.
    {Kind::High, 'B', VK_LEFT, 'P', 1},
    {Kind::High, 'B', VK_UP, 'H', 0},
    {Kind::High, 'B', VK_RIGHT, 'H', 0},
    {Kind::High, 'B', VK_DOWN, 'l', 0},
    {Kind::High, 'H', VK_LEFT, 'B', -1},
    {Kind::High, 'H', VK_UP, 'h', 0},
    {Kind::High, 'H', VK_RIGHT, 'P', 2},
    {Kind::High, 'H', VK_DOWN, 'B', -1},
    // Power index: Right walks base, low, high and out, Left walks back.
    {Kind::Pow, 'B', VK_LEFT, 'P', 1},
    {Kind::Pow, 'B', VK_UP, 'H', 0},
    {Kind::Pow, 'B', VK_RIGHT, 'L', 0},
    {Kind::Pow, 'B', VK_DOWN, 'L', 0},
    {Kind::Pow, 'L', VK_LEFT, 'B', -1},
    {Kind::Pow, 'L', VK_UP, 'B', -1},
    {Kind::Pow, 'L', VK_RIGHT, 'H', 0},
    {Kind::Pow, 'L', VK_DOWN, 'l', 0},
    {Kind::Pow, 'H', VK_LEFT, 'L', -1},
    {Kind::Pow, 'H', VK_UP, 'h', 0},
    {Kind::Pow, 'H', VK_RIGHT, 'P', 2},
    {Kind::Pow, 'H', VK_DOWN, 'L', -1},
};

INSTANTIATE_TEST_SUITE_P(AllKinds, IndexNavigation, ::testing::ValuesIn(kNavCases),
                         CaseName<NavCase>);

struct ShiftCase {
    Kind kind;
    char from;
    UINT vk;
    int anchor, caret;
};

void PrintTo(const ShiftCase& c, std::ostream* os) {
    *os << KindName(c.kind) << " " << c.from << " " << KeyName(c.vk);
}

class IndexShift : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(IndexShift, SelectsTheWholeAtom) {
    const ShiftCase& c = GetParam();
    Nav nav(c.kind);
    nav.ed.wnd->PressKey(VK_SHIFT);
    EXPECT_TRUE(nav.Press(c.from, c.vk));
    EXPECT_EQ(nav.ed.data->CurrentRow(), nav.parent);
    EXPECT_EQ(nav.ed.data->AnchorPos(), c.anchor);
    EXPECT_EQ(nav.ed.data->CaretPos(), c.caret);
    EXPECT_EQ(CheckCaret(*nav.ed.data), "");
}

const ShiftCase kShiftCases[] = {
    {Kind::Low, 'B', VK_LEFT, 2, 1}, {Kind::Low, 'L', VK_RIGHT, 1, 2},
    {Kind::Low, 'B', VK_UP, 2, 1},   {Kind::Low, 'L', VK_DOWN, 1, 2},
    {Kind::High, 'H', VK_UP, 2, 1},  {Kind::High, 'B', VK_DOWN, 1, 2},
    {Kind::Pow, 'B', VK_LEFT, 2, 1}, {Kind::Pow, 'H', VK_RIGHT, 1, 2},
    {Kind::Pow, 'H', VK_UP, 2, 1},   {Kind::Pow, 'L', VK_DOWN, 1, 2},
    {Kind::Pow, 'L', VK_LEFT, 2, 1},
};

INSTANTIATE_TEST_SUITE_P(AllKinds, IndexShift, ::testing::ValuesIn(kShiftCases),
                         CaseName<ShiftCase>);

void PrintTo(Kind kind, std::ostream* os) {
    *os << KindName(kind);
}

class IndexKind : public ::testing::TestWithParam<Kind> {
  protected:
    Kind kind = GetParam();
};

INSTANTIATE_TEST_SUITE_P(AllKinds, IndexKind, ::testing::Values(Kind::Low, Kind::High, Kind::Pow),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                             return KindName(info.param);
                         });

TEST_P(IndexKind, EnteringFromEitherSideAndRefusing) {
    Nav nav(kind);
    CEqExpr* last = nav.atom->GetRow(nav.atom->GetRowCount() - 1);
    // From after the atom, Left arrives at the end of its last row.
    nav.ed.data->SetCaret(nav.parent, 2);
    EXPECT_TRUE(nav.parent->HandleKey(VK_LEFT));
    EXPECT_EQ(nav.ed.data->CurrentRow(), last);
    EXPECT_EQ(nav.ed.data->CaretPos(), 2);
    // From before it, Right arrives at the start of the base.
    nav.ed.data->SetCaret(nav.parent, 1);
    EXPECT_TRUE(nav.parent->HandleKey(VK_RIGHT));
    EXPECT_EQ(nav.ed.data->CurrentRow(), nav.Row('B'));
    EXPECT_EQ(nav.ed.data->CaretPos(), 0);
    EXPECT_FALSE(nav.atom->EnterFrom(VK_UP));
    EXPECT_FALSE(nav.atom->EnterFrom(VK_DOWN));
    // Keys other than the arrows, and rows that are not the atom's.
    EXPECT_FALSE(nav.atom->LeaveChild(last, VK_RETURN));
    EXPECT_FALSE(nav.atom->LeaveChild(nav.parent, VK_LEFT));
    EXPECT_EQ(nav.ed.data->CurrentRow(), nav.Row('B'));
    // Without an owner or a parent row there is nowhere to go.
    TestEditor t;
    std::unique_ptr<CEqAtom> loose(NewOfKind(t, kind, "x", "i", "2"));
    EXPECT_FALSE(loose->LeaveChild(loose->GetRow(0), VK_LEFT));
    loose->m_pOwner = nullptr;
    EXPECT_FALSE(loose->EnterFrom(VK_LEFT));
}

// Presses vk until the caret is back in the parent row; the rows it went
// through, each once, the parent last.
std::vector<CEqExpr*> Walk(Nav& nav, UINT vk) {
    std::vector<CEqExpr*> visited;
    for (int step = 0; step < 12; ++step) {
        EXPECT_TRUE(nav.ed.data->CurrentRow()->HandleKey(vk)) << step;
        if (visited.empty() || visited.back() != nav.ed.data->CurrentRow())
            visited.push_back(nav.ed.data->CurrentRow());
        if (nav.ed.data->CurrentRow() == nav.parent)
            break;
    }
    return visited;
}

TEST_P(IndexKind, RightWalksThroughAndLeftWalksBack) {
    Nav nav(kind);
    std::vector<CEqExpr*> rows;
    for (int k = 0; k < nav.atom->GetRowCount(); ++k)
        rows.push_back(nav.atom->GetRow(k));
    // From before the atom, the first Right enters the base.
    nav.ed.data->SetCaret(nav.parent, 1);
    std::vector<CEqExpr*> forward = rows;
    forward.push_back(nav.parent);
    EXPECT_EQ(Walk(nav, VK_RIGHT), forward);
    EXPECT_EQ(nav.ed.data->CaretPos(), 2);
    std::vector<CEqExpr*> backward(rows.rbegin(), rows.rend());
    backward.push_back(nav.parent);
    EXPECT_EQ(Walk(nav, VK_LEFT), backward);
    EXPECT_EQ(nav.ed.data->CaretPos(), 1);
}

// The rows each kind reports, in order, as its fields hold them.
std::vector<CEqExpr*> FieldsOf(const CEqAtom* atom, Kind kind) {
    if (kind == Kind::Pow) {
        const auto* pow = static_cast<const CEqPowIndex*>(atom);
        return {pow->m_pBase.get(), pow->m_pLow.get(), pow->m_pHigh.get()};
    }
    const auto* index = static_cast<const CEqIndex*>(atom);
    return {index->m_pBase.get(), index->m_pIndex.get()};
}

TEST_P(IndexKind, RowsOwnersAndClone) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewOfKind(ed, kind, "x", "i", "2")));
    CEqAtom* atom = top->GetAt(0);
    std::vector<CEqExpr*> fields = FieldsOf(atom, kind);
    EXPECT_EQ(atom->GetChar(), 0);
    ASSERT_EQ(atom->GetRowCount(), static_cast<int>(fields.size()));
    for (int k = 0; k < atom->GetRowCount(); ++k)
        EXPECT_EQ(atom->GetRow(k), fields[k]) << k;
    EXPECT_EQ(atom->GetRow(atom->GetRowCount()), nullptr);
    EXPECT_EQ(atom->GetRow(-1), nullptr);
    EXPECT_EQ(CheckTree(*top, ed.data.get()), "");

    // A new owner reaches every atom of every row.
    CVexlorData other;
    top->SetOwner(&other);
    EXPECT_EQ(CheckTree(*top, &other), "");
    top->SetOwner(ed.data.get());

    ed.Layout(top.get());
    top->Append(atom->Clone());
    CEqAtom* copy = top->GetAt(1);
    ExpectSameAtom(*copy, *atom);
    for (int k = 0; k < atom->GetRowCount(); ++k)
        EXPECT_NE(copy->GetRow(k), atom->GetRow(k)) << k;
    EXPECT_EQ(CheckTree(*top, ed.data.get()), "");
    // The copy is deep: changing it leaves the original alone.
    const std::string text = atom->PeekText();
    EXPECT_EQ(copy->PeekText(), text);
    copy->GetRow(copy->GetRowCount() - 1)->Append(SymbolOf('j'));
    EXPECT_EQ(atom->PeekText(), text);
    const std::string changed[] = {" x[ij]", " x ** 2j ", " x[i] ** 2j "};
    EXPECT_EQ(copy->PeekText(), changed[static_cast<int>(kind)]);
}

TEST_P(IndexKind, MissingRowsBecomeEmptyRows) {
    TestEditor ed;
    const std::string blank[] = {"( ? )[?]", "( ? ) ** ( ? )", "( ? )[?] ** ( ? )"};
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewOfKind(ed, kind, nullptr, nullptr, nullptr)));
    CEqAtom* atom = top->GetAt(0);
    for (int k = 0; k < atom->GetRowCount(); ++k)
        ASSERT_NE(atom->GetRow(k), nullptr) << k;
    EXPECT_EQ(CheckTree(*top, ed.data.get()), "");
    EXPECT_TRUE(atom->IsBlank());
    ed.Layout(top.get());
    EXPECT_EQ(top->ToText(false), blank[static_cast<int>(kind)]);

    // Only the low row (the high one for a high index) given.
    CEqExpr* given = ed.RowOf("i");
    CEqAtom* made = kind == Kind::High ? NewOfKind(ed, kind, nullptr, nullptr, given)
                                       : NewOfKind(ed, kind, nullptr, given, nullptr);
    std::unique_ptr<CEqExpr> top2(RowWith(ed, made));
    EXPECT_EQ(CheckTree(*top2, ed.data.get()), "");
    EXPECT_FALSE(made->IsBlank());
    given->RemoveAt(0, false);
    EXPECT_TRUE(made->IsBlank());
    ed.Layout(top2.get());
    EXPECT_EQ(top2->ToText(false), blank[static_cast<int>(kind)]);
}

TEST_P(IndexKind, BlankOnlyWhenEveryRowIsBlank) {
    TestEditor ed;
    std::unique_ptr<CEqAtom> spaces(NewOfKind(ed, kind, " ", "  ", " "));
    EXPECT_TRUE(spaces->IsBlank());
    std::unique_ptr<CEqAtom> empty(NewOfKind(ed, kind, "", "", ""));
    EXPECT_TRUE(empty->IsBlank());
    std::unique_ptr<CEqAtom> base(NewOfKind(ed, kind, "x", "", ""));
    EXPECT_FALSE(base->IsBlank());
    std::unique_ptr<CEqAtom> low(NewOfKind(ed, kind, "", "i", ""));
    EXPECT_EQ(low->IsBlank(), kind == Kind::High);
    std::unique_ptr<CEqAtom> high(NewOfKind(ed, kind, "", " ", "2"));
    EXPECT_EQ(high->IsBlank(), kind == Kind::Low);
}

TEST_P(IndexKind, TruncatedImagesFailWithoutHarm) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewOfKind(ed, kind, "x", "i", "2")));
    std::vector<uint8_t> image = Store(*top);
    ASSERT_TRUE(LoadWhole(ed, image));
    ExpectCutImagesRejected(ed, image);
}

TEST_P(IndexKind, NestedAtomIsPlacedInTheSmallFont) {
    CRecordingDC rec;
    TestEditor ed(&rec);
    // An atom of another or the same kind in the first index row.
    Kind innerKind = kind == Kind::Low ? Kind::High : kind == Kind::High ? Kind::Low : Kind::Pow;
    CEqAtom* inner = NewOfKind(ed, innerKind, "y", "j", "k");
    CEqExpr* index = RowWith(ed, inner);
    std::unique_ptr<CEqExpr> top(
        RowWith(ed, kind == Kind::High ? NewOfKind(ed, kind, ed.RowOf("x"), nullptr, index)
                                       : NewOfKind(ed, kind, ed.RowOf("x"), index, ed.RowOf("2"))));
    top->CalcSize();
    rec.Clear();
    top->Redraw(0, 0, 1, 3);
    // The outer atom spaces its index by the regular M, the inner one by
    // the small M.
    auto measures = rec.CallsOf("GetTextExtent");
    ASSERT_EQ(measures.size(), 2u);
    EXPECT_EQ(measures[0].font, &ed.wnd->m_fontNormal);
    EXPECT_EQ(measures[1].font, &ed.wnd->m_fontSmall);
    EXPECT_EQ(rec.GetCurrentFont(), &ed.wnd->m_fontNormal);
}

TEST_P(IndexKind, NothingDrawnOutsideTheWindow) {
    CRecordingDC rec;
    TestEditor ed(&rec);
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewOfKind(ed, kind, "e", "i", "x")));
    for (POINT at : {POINT{900, 0}, POINT{0, 700}}) {
        ed.Layout(top.get(), at.x, at.y);
        rec.Clear();
        top->GetAt(0)->Draw();
        EXPECT_TRUE(rec.InkCalls().empty()) << at.x << "," << at.y;
        EXPECT_TRUE(rec.CallsOf("SelectFont").empty()) << at.x << "," << at.y;
    }
}

} // namespace
