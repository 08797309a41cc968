// The index atom: low (subscript) and high (power, exponential) kinds. Text
// frames, layout on the headless metrics, keys at the top level, hit tests,
// the stored kind and drawing with the bold italic "e". What it shares with
// the power index is tested in IndexKindsAtomTest.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AtomBuilders.h"
#include "RecordingDC.h"
#include "TreeCheck.h"

namespace {

CEqBrackets* NewBrackets(const TestEditor& ed, const std::string& inner) {
    return BracketsAround(ed, ed.RowOf(inner));
}

TEST(IndexAtomText, FramesOfBothKinds) {
    TestEditor ed;
    EXPECT_EQ(TextOf(ed, NewIndex(ed, "x", "i", false)), " x[i]");
    EXPECT_EQ(TextOf(ed, NewIndex(ed, "x", "i+1", false)), " x[i+1]");
    EXPECT_EQ(TextOf(ed, NewIndex(ed, "x", "2", true)), " x ** 2 ");
    EXPECT_EQ(TextOf(ed, NewIndex(ed, "a+b", "2", true)), "( a+b ) ** 2 ");
    EXPECT_EQ(TextOf(ed, NewIndex(ed, "", "", false)), "( ? )[?]");
    EXPECT_EQ(TextOf(ed, NewIndex(ed, "", "", true)), "( ? ) ** ( ? )");
    // A low index on "e" is an ordinary array element.
    EXPECT_EQ(TextOf(ed, NewIndex(ed, "e", "1", false)), " e[1]");
    // Only a lower-case "e" is the exponential base.
    EXPECT_EQ(TextOf(ed, NewIndex(ed, "E", "x", true)), " E ** x ");
    EXPECT_EQ(TextOf(ed, NewIndex(ed, "ee", "x", true)), " ee ** x ");
}

TEST(IndexAtomText, ExponentialArgument) {
    TestEditor ed;
    EXPECT_EQ(TextOf(ed, NewIndex(ed, "e", "x", true)), " exp( x )");
    EXPECT_EQ(TextOf(ed, NewIndex(ed, "e", "", true)), " exp( ? )");
    EXPECT_EQ(TextOf(ed, NewIndex(ed, "e", "a+b", true)), " exp( a+b )");
    // A bracketed argument is not bracketed twice.
    CEqIndex* exp = NewIndex(ed, ed.RowOf("e"), RowWith(ed, NewBrackets(ed, "a+b")), true);
    EXPECT_EQ(TextOf(ed, exp), " exp( a+b )");
    // Spaces around the base do not hide the "e".
    EXPECT_EQ(TextOf(ed, NewIndex(ed, " e  ", "x", true)), " exp( x )");
}

TEST(IndexAtomText, OperandsOfStructures) {
    TestEditor ed;
    // A bracketed base or power is written as the brackets write it.
    CEqIndex* a = NewIndex(ed, RowWith(ed, NewBrackets(ed, "a+b")), ed.RowOf("2"), true);
    EXPECT_EQ(TextOf(ed, a), "( a+b ) ** 2 ");
    CEqIndex* b = NewIndex(ed, ed.RowOf("x"), RowWith(ed, NewBrackets(ed, "a+b")), true);
    EXPECT_EQ(TextOf(ed, b), " x ** ( a+b )");
    // A low index base stays bare; the space put in front of it and the one
    // it writes itself make two.
    CEqIndex* c = NewIndex(ed, RowWith(ed, NewIndex(ed, "x", "i", false)), ed.RowOf("2"), true);
    EXPECT_EQ(TextOf(ed, c), "  x[i] ** 2 ");
    // A power as base or as power is bracketed.
    CEqIndex* d = NewIndex(ed, RowWith(ed, NewIndex(ed, "x", "2", true)), ed.RowOf("3"), true);
    EXPECT_EQ(TextOf(ed, d), "(  x ** 2  ) ** 3 ");
    CEqIndex* e = NewIndex(ed, ed.RowOf("x"), RowWith(ed, NewIndex(ed, "y", "2", true)), true);
    EXPECT_EQ(TextOf(ed, e), " x ** (  y ** 2  )");
    // A low index's own index is written as it is, structures included.
    CEqIndex* f = NewIndex(ed, ed.RowOf("x"), RowWith(ed, NewIndex(ed, "y", "2", true)), false);
    EXPECT_EQ(TextOf(ed, f), " x[ y ** 2 ]");
    // Several atoms beside a low index are no longer simple.
    CEqExpr* base = RowWith(ed, NewIndex(ed, "x", "i", false));
    base->Append(SymbolOf('+'));
    CEqIndex* g = NewIndex(ed, base, ed.RowOf("2"), true);
    EXPECT_EQ(TextOf(ed, g), "(  x[i]+ ) ** 2 ");
}

TEST(IndexAtomText, WritingTrimsTheRows) {
    TestEditor ed;
    CEqIndex* atom = NewIndex(ed, "  x ", " i  ", false);
    std::unique_ptr<CEqExpr> top(RowWith(ed, atom));
    EXPECT_EQ(top->ToText(false), " x[i]");
    EXPECT_EQ(atom->m_pBase->GetCount(), 2);
    EXPECT_EQ(atom->m_pIndex->GetCount(), 2);
    EXPECT_EQ(CheckTree(*top, ed.data.get()), "");
    // Blank rows are emptied and come back in placeholder form.
    CEqIndex* blank = NewIndex(ed, "   ", " ", true);
    std::unique_ptr<CEqExpr> top2(RowWith(ed, blank));
    EXPECT_EQ(top2->ToText(false), "( ? ) ** ( ? )");
    EXPECT_EQ(blank->m_pBase->GetCount(), 1);
    EXPECT_EQ(blank->m_pIndex->GetCount(), 1);
    EXPECT_EQ(CheckTree(*top2, ed.data.get()), "");
}

TEST(IndexAtomText, ExponentialTestLeavesTheTreeAlone) {
    TestEditor ed;
    std::unique_ptr<CEqIndex> spaced(NewIndex(ed, " e ", "x", true));
    EXPECT_TRUE(spaced->IsExponential());
    EXPECT_EQ(spaced->m_pBase->GetCount(), 4);
    std::unique_ptr<CEqIndex> word(NewIndex(ed, "ex", "x", true));
    EXPECT_FALSE(word->IsExponential());
    std::unique_ptr<CEqIndex> empty(NewIndex(ed, "  ", "x", true));
    EXPECT_FALSE(empty->IsExponential());
    // Brackets around "e" are a structure, not the letter.
    std::unique_ptr<CEqIndex> wrapped(
        NewIndex(ed, RowWith(ed, NewBrackets(ed, "e")), ed.RowOf("x"), true));
    EXPECT_FALSE(wrapped->IsExponential());
    EXPECT_EQ(wrapped->GetRow(0)->GetAt(0)->GetRow(0)->GetCount(), 2);
}

TEST(IndexAtomStructure, ComposeAddsBothRows) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewIndex(ed, "(a)", "(b)+(c)", true)));
    EXPECT_EQ(top->Compose(), 3);
    auto* atom = static_cast<CEqIndex*>(top->GetAt(0));
    EXPECT_STREQ(atom->m_pBase->GetAt(0)->ClassName(), "CEqBrackets");
    EXPECT_STREQ(atom->m_pIndex->GetAt(0)->ClassName(), "CEqBrackets");
    EXPECT_EQ(CheckTree(*top, ed.data.get()), "");
}

// Layout on the headless metrics: regular M = 11x20, small S = 8x14, so
// M.cx/4 = 2 and q = S.cy/4 = 3. A regular row "x" is the symbol (11x20,
// anchor y 10) and its collapsed end atom (2x20): 13x20, anchor y 10. A small
// row "i" is 8x14 plus 2x14: 10x14, anchor y 7.
TEST(IndexAtomLayout, LowIndex) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewIndex(ed, "x", "i", false)));
    ed.Layout(top.get());
    auto* atom = static_cast<CEqIndex*>(top->GetAt(0));
    // width = 13 + 10 + 2 + 1 = 26; anchor y = base anchor 10; since
    // i.a 7 < b.h - b.a 10, height = 20 + 14 - 3 - 7 = 24.
    EXPECT_EQ(atom->m_size, (SIZE{26, 24}));
    EXPECT_EQ(atom->m_ptAnchor, (POINT{13, 10}));
    EXPECT_EQ(atom->m_rect, (RECT{0, 0, 26, 24}));
    // Base one pixel in, on the axis; index from x = 13 + 2 + 1 = 16 with
    // its bottom on the atom's bottom.
    EXPECT_EQ(atom->m_pBase->m_rect, (RECT{1, 0, 14, 20}));
    EXPECT_EQ(atom->m_pIndex->m_rect, (RECT{16, 10, 26, 24}));
    EXPECT_EQ(atom->m_pIndex->GetAt(0)->m_size, (SIZE{8, 14}));
    EXPECT_EQ(ed.wnd->m_pDC->GetCurrentFont(), &ed.wnd->m_fontNormal);
}

TEST(IndexAtomLayout, HighIndex) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewIndex(ed, "x", "2", true)));
    ed.Layout(top.get());
    auto* atom = static_cast<CEqIndex*>(top->GetAt(0));
    // b.a 10 > i.h - i.a 7: height = 20 - 3 + 7 = 24, anchor y = 10 - 3 + 7 = 14.
    EXPECT_EQ(atom->m_size, (SIZE{26, 24}));
    EXPECT_EQ(atom->m_ptAnchor, (POINT{13, 14}));
    EXPECT_EQ(atom->m_rect, (RECT{0, 0, 26, 24}));
    // Base axis on y 14, so its top is 4; index top on the atom's top.
    EXPECT_EQ(atom->m_pBase->m_rect, (RECT{1, 4, 14, 24}));
    EXPECT_EQ(atom->m_pIndex->m_rect, (RECT{16, 0, 26, 14}));
    EXPECT_EQ(ed.wnd->m_pDC->GetCurrentFont(), &ed.wnd->m_fontNormal);
}

TEST(IndexAtomLayout, IndexInsideIndexStaysSmall) {
    TestEditor ed;
    CEqIndex* inner = NewIndex(ed, "y", "j", false);
    std::unique_ptr<CEqExpr> top(
        RowWith(ed, NewIndex(ed, ed.RowOf("x"), RowWith(ed, inner), false)));
    ed.Layout(top.get());
    auto* outer = static_cast<CEqIndex*>(top->GetAt(0));
    // Inner, measured in the small font (M = S = 8x14): base "y" and index
    // "j" are both 10x14, anchor y 7. width = 10 + 10 + 8/4 + 1 = 23; low
    // with i.a 7 not below b.h - b.a 7: height = 14 - 3 + 7 + 3 = 21.
    EXPECT_EQ(inner->m_size, (SIZE{23, 21}));
    EXPECT_EQ(inner->m_ptAnchor, (POINT{11, 7}));
    EXPECT_EQ(inner->m_pIndex->m_size, (SIZE{10, 14}));
    EXPECT_EQ(inner->m_pIndex->GetAt(0)->m_size, (SIZE{8, 14}));
    // Outer index row: inner plus a 2x14 end atom = 25x21, anchor y 7.
    // width = 13 + 25 + 2 + 1 = 41; 7 < 10: height = 20 + 21 - 3 - 7 = 31.
    EXPECT_EQ(outer->m_size, (SIZE{41, 31}));
    EXPECT_EQ(outer->m_ptAnchor, (POINT{20, 10}));
    EXPECT_EQ(outer->m_pIndex->m_rect, (RECT{16, 10, 41, 31}));
    EXPECT_EQ(inner->m_rect, (RECT{16, 10, 39, 31}));
    // Inner base from 16 + 1; inner index from 16 + 10 + 2 + 1 = 29, its
    // bottom on the inner atom's bottom (31).
    EXPECT_EQ(inner->m_pBase->m_rect, (RECT{17, 10, 27, 24}));
    EXPECT_EQ(inner->m_pIndex->m_rect, (RECT{29, 17, 39, 31}));
    EXPECT_EQ(ed.wnd->m_pDC->GetCurrentFont(), &ed.wnd->m_fontNormal);
}

TEST(IndexAtomLayout, TallIndexUnderAndOverTheBase) {
    TestEditor ed;
    // A power whose index is the low index y[j] (25x21 row, anchor y 7):
    // b.a 10 is not above i.h - i.a 14, so height = 20 + 21 - 3 - 10 + 3 = 31
    // and anchor y = 21 - 3 + 3 = 21.
    CEqIndex* high = NewIndex(ed, ed.RowOf("x"), RowWith(ed, NewIndex(ed, "y", "j", false)), true);
    std::unique_ptr<CEqExpr> top(RowWith(ed, high));
    ed.Layout(top.get());
    EXPECT_EQ(high->m_size, (SIZE{41, 31}));
    EXPECT_EQ(high->m_ptAnchor, (POINT{20, 21}));
    EXPECT_EQ(high->m_pBase->m_rect, (RECT{1, 11, 14, 31}));
    EXPECT_EQ(high->m_pIndex->m_rect, (RECT{16, 0, 41, 21}));

    // A subscript whose index is a power y**k: the small power is 23x21 with
    // anchor y 14 (b.a 7 not above 14 - 7: height = 14 + 14 - 3 - 7 + 3,
    // anchor 14 - 3 + 3), its row 25x21, anchor y 14. i.a 14 is not below
    // b.h - b.a 10: height = 21 - 3 + 10 + 3 = 31.
    CEqIndex* low = NewIndex(ed, ed.RowOf("x"), RowWith(ed, NewIndex(ed, "y", "k", true)), false);
    std::unique_ptr<CEqExpr> top2(RowWith(ed, low));
    ed.Layout(top2.get());
    EXPECT_EQ(low->m_pIndex->m_size, (SIZE{25, 21}));
    EXPECT_EQ(low->m_pIndex->m_ptAnchor.y, 14);
    EXPECT_EQ(low->m_size, (SIZE{41, 31}));
    EXPECT_EQ(low->m_ptAnchor, (POINT{20, 10}));
    EXPECT_EQ(low->m_pIndex->m_rect, (RECT{16, 10, 41, 31}));
}

TEST(IndexAtomLayout, MovingErasesTheOldBox) {
    CRecordingDC rec;
    TestEditor ed(&rec);
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewIndex(ed, "x", "i", false)));
    ed.Layout(top.get());
    rec.Clear();
    ed.Layout(top.get());
    EXPECT_TRUE(rec.CallsOf("FillSolidRect").empty());
    ed.Layout(top.get(), 5, 0);
    auto fills = rec.CallsOf("FillSolidRect");
    ASSERT_FALSE(fills.empty());
    bool atomBoxErased = false;
    for (const auto& call : fills)
        atomBoxErased |=
            call.args == std::vector<int>{0, 0, 26, 24, static_cast<int>(RGB(255, 255, 255))};
    EXPECT_TRUE(atomBoxErased);
}

TEST(IndexAtomNavigation, KeysThatTravelOnAtTheTopLevelAreNotHandled) {
    TestEditor ed;
    CEqIndex* atom = NewIndex(ed, "x", "i", false);
    std::unique_ptr<CEqExpr> top(RowWith(ed, atom));
    ed.data->SetCaret(atom->m_pBase.get(), 1);
    EXPECT_FALSE(atom->m_pBase->HandleKey(VK_UP));
    EXPECT_EQ(ed.data->CurrentRow(), atom->m_pBase.get());
    EXPECT_EQ(ed.data->CaretPos(), 1);
    // Keys other than the arrows, and rows that are not the atom's.
    EXPECT_FALSE(atom->LeaveChild(atom->m_pBase.get(), VK_RETURN));
    EXPECT_FALSE(atom->LeaveChild(top.get(), VK_LEFT));
    EXPECT_FALSE(atom->LeaveChild(nullptr, VK_RIGHT));
    EXPECT_EQ(ed.data->CurrentRow(), atom->m_pBase.get());
    // An atom outside any row cannot be left.
    std::unique_ptr<CEqIndex> loose(NewIndex(ed, "x", "i", true));
    EXPECT_FALSE(loose->LeaveChild(loose->m_pBase.get(), VK_LEFT));
}

// Clicks and drags on x[i] (base 1,0-14,20; index 16,10-26,24) and x**2
// (base 1,4-14,24; index 16,0-26,14).
TEST(IndexAtomHitTest, LowIndexTriesTheIndexFirst) {
    TestEditor ed;
    CEqIndex* atom = NewIndex(ed, "x", "i", false);
    std::unique_ptr<CEqExpr> top(RowWith(ed, atom));
    ed.Layout(top.get());
    // A click on a row lands in it.
    POINT p{5, 15};
    EXPECT_TRUE(top->HitTest(&p));
    EXPECT_EQ(ed.data->CurrentRow(), atom->m_pBase.get());
    POINT on{20, 20};
    EXPECT_TRUE(top->HitTest(&on));
    EXPECT_EQ(ed.data->CurrentRow(), atom->m_pIndex.get());
    // Outside both rows, level with both, the index takes the click.
    POINT between{15, 15};
    EXPECT_TRUE(top->HitTest(&between));
    EXPECT_EQ(ed.data->CurrentRow(), atom->m_pIndex.get());
    EXPECT_EQ(ed.data->CaretPos(), 0);
    // Above the index only the base is level with the point.
    POINT q{20, 5};
    EXPECT_TRUE(top->HitTest(&q));
    EXPECT_EQ(ed.data->CurrentRow(), atom->m_pBase.get());
    EXPECT_EQ(ed.data->CaretPos(), 1);
    // A drag inside the index stays in it; one that leaves it asks the base
    // first.
    POINT from{17, 15}, to{25, 15};
    EXPECT_TRUE(top->HitTestRange(&from, &to));
    EXPECT_EQ(ed.data->CurrentRow(), atom->m_pIndex.get());
    POINT out{17, 15}, beyond{15, 15};
    EXPECT_TRUE(top->HitTestRange(&out, &beyond));
    EXPECT_EQ(ed.data->CurrentRow(), atom->m_pBase.get());
    POINT from2{17, 22}, to2{25, 22};
    EXPECT_TRUE(top->HitTestRange(&from2, &to2));
    EXPECT_EQ(ed.data->CurrentRow(), atom->m_pIndex.get());
    EXPECT_EQ(ed.data->AnchorPos(), 0);
    EXPECT_EQ(ed.data->CaretPos(), 1);
}

TEST(IndexAtomHitTest, HighIndexTriesTheBaseFirst) {
    TestEditor ed;
    CEqIndex* atom = NewIndex(ed, "x", "2", true);
    std::unique_ptr<CEqExpr> top(RowWith(ed, atom));
    ed.Layout(top.get());
    // On the exponent, level with the base: the exponent.
    POINT p{20, 10};
    EXPECT_TRUE(top->HitTest(&p));
    EXPECT_EQ(ed.data->CurrentRow(), atom->m_pIndex.get());
    // Between the rows, level with both: the base is asked first.
    POINT r{15, 10};
    EXPECT_TRUE(top->HitTest(&r));
    EXPECT_EQ(ed.data->CurrentRow(), atom->m_pBase.get());
    POINT q{20, 2};
    EXPECT_TRUE(top->HitTest(&q));
    EXPECT_EQ(ed.data->CurrentRow(), atom->m_pIndex.get());
    EXPECT_EQ(ed.data->CaretPos(), 1);
}

TEST(IndexAtomStorage, RoundTripKeepsKindsTextsAndGeometry) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewIndex(ed, "x", "i", false)));
    top->Append(NewIndex(ed, ed.RowOf("e"), RowWith(ed, NewIndex(ed, "y", "k", true)), true));
    ed.Layout(top.get());
    std::unique_ptr<CEqExpr> loaded = LoadWhole(ed, Store(*top));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(CheckTree(*loaded, ed.data.get()), "");
    ExpectSameRow(*top, *loaded);
    EXPECT_EQ(loaded->PeekText(), " x[i] exp(  y ** k  )");
    EXPECT_EQ(loaded->PeekText(), top->PeekText());
}

TEST(IndexAtomStorage, KindIsStoredBeforeTheRows) {
    TestEditor ed;
    for (int32_t high : {0, 1}) {
        std::unique_ptr<CEqExpr> top(RowWith(ed, NewIndex(ed, "", "", high == 1)));
        std::vector<uint8_t> image = Store(*top);
        // Row base record (32), atom count (4), "CEqIndex" with its length
        // byte (9), the atom's base record (32), then the kind.
        ASSERT_GE(image.size(), 81u);
        EXPECT_EQ(image[36], 8);
        EXPECT_EQ(std::string(image.begin() + 37, image.begin() + 45), "CEqIndex");
        EXPECT_EQ(image[77], high);
        EXPECT_EQ(image[78] | image[79] | image[80], 0);
        // Then two empty rows of 77 bytes each and the end atom's entry.
        EXPECT_EQ(image.size(), 81u + 77 + 77 + 41);
    }
}

TEST(IndexAtomStorage, UnknownKindIsRejected) {
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(RowWith(ed, NewIndex(ed, "x", "i", true)));
    std::vector<uint8_t> image = Store(*top);
    for (uint8_t kind : {uint8_t{2}, uint8_t{0xFF}}) {
        std::vector<uint8_t> bad = image;
        bad[77] = kind;
        if (kind == 0xFF)
            bad[78] = bad[79] = bad[80] = 0xFF; // -1
        EXPECT_EQ(LoadWhole(ed, bad), nullptr) << int{kind};
    }
    // A kind set to something else in memory is stored as a high index.
    static_cast<CEqIndex*>(top->GetAt(0))->m_bHigh = 7;
    std::unique_ptr<CEqExpr> loaded = LoadWhole(ed, Store(*top));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(static_cast<CEqIndex*>(loaded->GetAt(0))->m_bHigh, 1);
}

// Drawing.
std::vector<CRecordingDC::Call> TextDrawn(const CRecordingDC& rec, const std::string& text) {
    std::vector<CRecordingDC::Call> found;
    for (const auto& call : rec.CallsOf("DrawText"))
        if (call.text == text && !(static_cast<unsigned>(call.args[4]) & DT_CALCRECT))
            found.push_back(call);
    return found;
}

struct DrawCheck {
    DrawCheck() : ed(&rec) {}
    // Lays out and draws the row, and checks that the font and pen the
    // drawing found are selected again afterwards.
    void Draw(CEqExpr* row) {
        ed.Layout(row);
        rec.Clear();
        CFont* font = rec.GetCurrentFont();
        CPen* pen = rec.GetCurrentPen();
        row->Draw();
        EXPECT_EQ(rec.GetCurrentFont(), font);
        EXPECT_EQ(rec.GetCurrentPen(), pen);
    }
    const CFont* FontOf(const std::string& text) {
        auto calls = TextDrawn(rec, text);
        EXPECT_EQ(calls.size(), 1u) << text;
        return calls.empty() ? nullptr : calls[0].font;
    }
    CRecordingDC rec;
    TestEditor ed;
};

TEST(IndexAtomDraw, ExponentialBaseInBoldItalic) {
    DrawCheck d;
    CEqIndex* atom = NewIndex(d.ed, " e ", "x", true);
    std::unique_ptr<CEqExpr> top(RowWith(d.ed, atom));
    d.Draw(top.get());
    EXPECT_EQ(d.FontOf("e"), &d.ed.wnd->m_fontBoldItalic);
    EXPECT_EQ(d.FontOf("x"), &d.ed.wnd->m_fontSmall);
    // Painting never trims the base.
    EXPECT_EQ(atom->m_pBase->GetCount(), 4);
    EXPECT_EQ(CheckTree(*top, d.ed.data.get()), "");
}

TEST(IndexAtomDraw, OtherBasesInTheSurroundingFont) {
    DrawCheck d;
    std::unique_ptr<CEqExpr> top(RowWith(d.ed, NewIndex(d.ed, "e", "1", false)));
    top->Append(NewIndex(d.ed, "y", "2", true));
    d.Draw(top.get());
    EXPECT_EQ(d.FontOf("e"), &d.ed.wnd->m_fontNormal);
    EXPECT_EQ(d.FontOf("1"), &d.ed.wnd->m_fontSmall);
    EXPECT_EQ(d.FontOf("y"), &d.ed.wnd->m_fontNormal);
    EXPECT_EQ(d.FontOf("2"), &d.ed.wnd->m_fontSmall);
}

TEST(IndexAtomDraw, ExponentialInsideAnIndexIsSmallBoldItalic) {
    DrawCheck d;
    CEqIndex* exp = NewIndex(d.ed, "e", "t", true);
    CEqIndex* inner = NewIndex(d.ed, d.ed.RowOf("y"), RowWith(d.ed, exp), false);
    std::unique_ptr<CEqExpr> top(
        RowWith(d.ed, NewIndex(d.ed, d.ed.RowOf("x"), RowWith(d.ed, inner), true)));
    d.Draw(top.get());
    EXPECT_EQ(d.FontOf("x"), &d.ed.wnd->m_fontNormal);
    EXPECT_EQ(d.FontOf("y"), &d.ed.wnd->m_fontSmall);
    EXPECT_EQ(d.FontOf("e"), &d.ed.wnd->m_fontSmallBoldItalic);
    EXPECT_EQ(d.FontOf("t"), &d.ed.wnd->m_fontSmall);
    // What is drawn fills the boxes measured for it.
    auto t = TextDrawn(d.rec, "t");
    ASSERT_EQ(t.size(), 1u);
    const RECT& cell = exp->m_pIndex->GetAt(0)->m_rect;
    EXPECT_EQ(cell.right - cell.left, 8);
    EXPECT_EQ(cell.bottom - cell.top, 14);
}

} // namespace
