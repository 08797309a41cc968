// Formula element base and the leaf atoms: placement, clamping, visibility,
// characters, the end atom's forms and their storage.
#include <gtest/gtest.h>

#include <memory>

#include "TreeCheck.h"
#include "elements/EqEmpty.h"
#include "elements/EqSymbol.h"
#include "platform/Archive.h"

namespace {

struct Placed : TestEditor {
    CEqAtom* Atom(int cx, int cy) {
        atom = std::make_unique<CEqAtom>();
        atom->m_pOwner = data.get();
        atom->m_size = SIZE{cx, cy};
        atom->m_ptAnchor = POINT{cx / 2, cy / 2};
        return atom.get();
    }
    std::unique_ptr<CEqAtom> atom;
};

TEST(ElementPlacement, AlignmentCodesPlaceTheBox) {
    Placed t;
    CEqAtom* a = t.Atom(10, 20);
    int x = 100, y = 50;
    EXPECT_FALSE(a->CEqObject::Redraw(x, y, 2, 4)); // bottom-right corner at (100, 50)
    EXPECT_EQ(a->m_rect, (RECT{90, 30, 100, 50}));
    x = 100, y = 50;
    a->CEqObject::Redraw(x, y, 0, 0); // anchor at (100, 50)
    EXPECT_EQ(a->m_rect, (RECT{95, 40, 105, 60}));
    x = 100, y = 50;
    a->CEqObject::Redraw(x, y, 1, 3); // top-left corner
    EXPECT_EQ(a->m_rect, (RECT{100, 50, 110, 70}));
    EXPECT_TRUE(t.wnd->m_messages.empty());
}

TEST(ElementPlacement, SameBoxLeavesInvalidRectangleAlone) {
    Placed t;
    CEqAtom* a = t.Atom(10, 20);
    int x = 5, y = 6;
    a->CEqObject::Redraw(x, y, 1, 3);
    t.data->SetInvalid(RECT{1, 2, 3, 4});
    x = 5, y = 6;
    EXPECT_TRUE(a->CEqObject::Redraw(x, y, 1, 3));
    EXPECT_EQ(t.data->Invalid(), (RECT{1, 2, 3, 4}));
    // Moving reports the old box as invalid.
    x = 7, y = 6;
    EXPECT_FALSE(a->CEqObject::Redraw(x, y, 1, 3));
    EXPECT_EQ(t.data->Invalid(), (RECT{5, 6, 15, 26}));
}

TEST(ElementPlacement, BadAlignmentCodesShowMessagesAndUseTheEdge) {
    Placed t;
    CEqAtom* a = t.Atom(10, 20);
    int x = 30, y = 40;
    a->CEqObject::Redraw(x, y, 7, 1);
    EXPECT_EQ(a->m_rect, (RECT{30, 40, 40, 60}));
    ASSERT_EQ(t.wnd->m_messages.size(), 2u);
    EXPECT_EQ(t.wnd->m_messages[0], "Invalid horizontal alignment parameter in Redraw()");
    EXPECT_EQ(t.wnd->m_messages[1], "Invalid vertical alignment parameter in Redraw()");
    x = 30, y = 40;
    a->CEqObject::Redraw(x, y, 0, 2);
    EXPECT_EQ(t.wnd->m_messages.size(), 3u);
    EXPECT_EQ(t.wnd->m_messages[2], "Invalid vertical alignment parameter in Redraw()");
}

TEST(ElementGeometry, ClampPointClampsYInsideTheColumn) {
    CEqAtom a;
    a.m_rect = RECT{10, 10, 20, 30};
    POINT p{15, 5};
    a.ClampPoint(&p);
    EXPECT_EQ(p, (POINT{15, 10}));
    p = POINT{15, 30};
    a.ClampPoint(&p);
    EXPECT_EQ(p, (POINT{15, 29}));
    p = POINT{15, 40};
    a.ClampPoint(&p);
    EXPECT_EQ(p, (POINT{15, 29}));
    p = POINT{20, 5}; // right edge is outside the column
    a.ClampPoint(&p);
    EXPECT_EQ(p, (POINT{20, 5}));
}

TEST(ElementGeometry, VisibilityAtTheClientEdges) {
    Placed t;
    CEqAtom* a = t.Atom(10, 10);
    a->m_rect = RECT{-10, 10, 0, 20}; // right edge on the client's left edge
    EXPECT_TRUE(a->IsVisible());
    a->m_rect = RECT{800, 10, 810, 20}; // left edge on the client's right edge
    EXPECT_FALSE(a->IsVisible());
    a->m_rect = RECT{10, 600, 20, 610};
    EXPECT_FALSE(a->IsVisible());
    a->m_rect = RECT{10, -10, 20, 0};
    EXPECT_TRUE(a->IsVisible());
    a->m_pOwner = nullptr; // no window: nothing is visible
    EXPECT_FALSE(a->IsVisible());
}

TEST(SymbolAtom, MultiplicationSignIsStoredAsMiddleDot) {
    CEqSymbol s;
    s.SetChar('*');
    EXPECT_EQ(s.GetByte(), 0xB7);
    EXPECT_EQ(s.GetChar(), 42);
    EXPECT_EQ(s.ToText(), "*");
    CEqSymbol typed; // a middle dot typed by the user writes back as "*" too
    typed.SetChar(static_cast<char>(0xB7));
    EXPECT_EQ(typed.ToText(), "*");
}

TEST(SymbolAtom, CyrillicBytesComeBackNegativeAndUnchanged) {
    CEqSymbol s;
    s.SetChar(static_cast<char>(0xE0));
    EXPECT_EQ(s.GetChar(), -32);
    EXPECT_EQ(s.ToText(), "\xE0");
    CEqSymbol ya; // the letter 0xFF reports -1 but stays a symbol
    ya.SetChar(static_cast<char>(0xFF));
    EXPECT_EQ(ya.GetChar(), -1);
    EXPECT_TRUE(ya.IsSymbol());
    EXPECT_FALSE(ya.IsEnd());
}

TEST(SymbolAtom, MeasuresOneCellCentred) {
    TestEditor t;
    std::unique_ptr<CEqExpr> row(t.RowOf(" "));
    CEqAtom* space = row->GetAt(0);
    space->CalcSize();
    EXPECT_EQ(space->m_size, (SIZE{11, 20}));
    EXPECT_EQ(space->m_ptAnchor, (POINT{5, 10}));
}

TEST(SymbolAtom, StoresBaseRecordAndOneByte) {
    CEqSymbol s;
    s.SetChar('*');
    s.m_size = SIZE{11, 20};
    s.m_ptAnchor = POINT{5, 10};
    s.m_rect = RECT{1, 2, 12, 22};
    CArchive out;
    s.Serialize(out);
    ASSERT_EQ(out.GetBuffer().size(), 33u);
    EXPECT_EQ(out.GetBuffer()[32], 0xB7);
    EXPECT_EQ(out.GetBuffer()[0], 11); // m_size.cx first, little-endian
    CArchive in(out.GetBuffer());
    CEqSymbol loaded;
    loaded.Serialize(in);
    EXPECT_FALSE(in.IsFailed());
    EXPECT_EQ(loaded.ToText(), "*");
    EXPECT_EQ(loaded.m_size, s.m_size);
    EXPECT_EQ(loaded.m_ptAnchor, s.m_ptAnchor);
    EXPECT_EQ(loaded.m_rect, s.m_rect);
    EXPECT_EQ(loaded.m_pOwner, nullptr);
    EXPECT_EQ(loaded.m_pParent, nullptr);
}

TEST(EmptyAtom, FormsFollowInsertionAndRemoval) {
    TestEditor t;
    std::unique_ptr<CEqExpr> row(t.NewRow());
    auto* end = static_cast<CEqEmpty*>(row->GetEnd());
    row->CalcSize();
    EXPECT_EQ(row->m_size, (SIZE{11, 20})); // one M box
    EXPECT_EQ(row->m_ptAnchor, (POINT{5, 10}));
    EXPECT_FALSE(end->IsCollapsed());
    auto* x = new CEqSymbol;
    x->SetChar('x');
    row->InsertAt(x, 0);
    EXPECT_TRUE(end->IsCollapsed());
    EXPECT_EQ(end->m_size, (SIZE{2, 20}));
    row->RemoveAt(0, true);
    EXPECT_FALSE(end->IsCollapsed());
    EXPECT_EQ(end->m_size, (SIZE{11, 20}));
    EXPECT_EQ(CheckTree(*row, t.data.get()), "");
}

TEST(EmptyAtom, WithoutWindowOnlyTheWidthChanges) {
    CVexlorData data; // no window
    CEqExpr row(&data);
    row.Clear();
    auto* end = static_cast<CEqEmpty*>(row.GetEnd());
    end->m_size = SIZE{7, 9};
    end->m_ptAnchor = POINT{3, 4};
    end->SetPlaceholder(true);
    EXPECT_EQ(end->m_size, (SIZE{0, 9}));
    EXPECT_EQ(end->m_ptAnchor, (POINT{3, 4}));
    end->SetPlaceholder(false);
    EXPECT_EQ(end->m_size.cx, 2);
}

TEST(EmptyAtom, StoredWidthDecidesTheLoadedForm) {
    for (int width : {2, 11, 0, 3}) {
        CEqEmpty e;
        e.m_size = SIZE{width, 20};
        CArchive out;
        e.Serialize(out);
        EXPECT_EQ(out.GetBuffer().size(), 32u);
        CArchive in(out.GetBuffer());
        CEqEmpty loaded;
        loaded.Serialize(in);
        EXPECT_EQ(loaded.IsCollapsed(), width == 2) << width;
        std::unique_ptr<CEqAtom> copy(loaded.Clone());
        EXPECT_EQ(static_cast<CEqEmpty*>(copy.get())->IsCollapsed(), width == 2);
    }
}

TEST(ElementIdentity, ClassNamesAndCharacters) {
    CEqSymbol s;
    CEqEmpty e;
    CEqAtom a;
    EXPECT_STREQ(s.ClassName(), "CEqSymbol");
    EXPECT_STREQ(e.ClassName(), "CEqEmpty");
    EXPECT_STREQ(a.ClassName(), "CEqAtom");
    EXPECT_STREQ(CEqExpr().ClassName(), "CEqExpr");
    EXPECT_EQ(e.GetChar(), -1);
    EXPECT_EQ(a.GetChar(), 0);
    EXPECT_EQ(e.ToText(), "");
}

} // namespace
