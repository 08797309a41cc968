// The square root atom: layout on the headless metrics, the radical sign,
// clicks in the argument and the stored image. What it shares with the
// brackets atom is tested in SingleRowAtomTest.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "AtomBuilders.h"
#include "RecordingDC.h"
#include "TreeCheck.h"

namespace {

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

TEST(RootMouse, ClicksAndDragsInTheArgument) {
    TestEditor t;
    auto* r = RootOf(t, t.RowOf("x+1"));
    RowPtr row(RowWith(t, r));
    t.Layout(row.get());
    // Argument (10, 10, 45, 30): "+" spans 21..32.
    ASSERT_EQ(r->m_pRow->m_rect, (RECT{10, 10, 45, 30}));
    POINT p{27, 20};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->CurrentRow(), r->m_pRow.get());
    EXPECT_EQ(t.data->CaretPos(), 2);
    POINT from{11, 15}, to{40, 15};
    EXPECT_TRUE(row->HitTestRange(&from, &to));
    EXPECT_EQ(t.data->CurrentRow(), r->m_pRow.get());
    EXPECT_EQ(t.data->AnchorPos(), 0);
    EXPECT_EQ(t.data->CaretPos(), 3);
    // Above the argument, on the overline: the caret goes beside the root.
    p = POINT{40, 3};
    EXPECT_TRUE(row->HitTest(&p));
    EXPECT_EQ(t.data->CurrentRow(), row.get());
    EXPECT_EQ(t.data->CaretPos(), 1);
}

TEST(RootStorage, ImageHoldsTheRowAfterTheBaseRecord) {
    TestEditor t;
    RowPtr row(t.RowOf("1+"));
    row->Append(RootOf(t, t.RowOf("x")));
    t.Layout(row.get(), 5, 5);
    std::vector<uint8_t> image = Store(*row);
    // 32 + 4 + two symbols (2 * 43) + "CEqRoot" 8 + base 32 + the row of "x"
    // 120 + the end atom 41.
    EXPECT_EQ(image.size(), 323u);
    RowPtr loaded = LoadWhole(t, image);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(CheckTree(*loaded, t.data.get()), "");
    EXPECT_EQ(loaded->ToText(false), "1+ sqrt( x )");
}

} // namespace
