// The brackets atom: layout on the headless metrics and the two arcs. What
// it shares with the square root is tested in SingleRowAtomTest.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "AtomBuilders.h"
#include "RecordingDC.h"
#include "TreeCheck.h"

namespace {

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

} // namespace
