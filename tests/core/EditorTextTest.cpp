// The editor data's text in and out, snapshots and caret resolution.
#include <cstring>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>

#include "TreeCheck.h"
#include "app/MarkedText.h"
#include "editor/VexlorData.h"
#include "elements/EqAtom.h"
#include "elements/EqSymbol.h"
#include "platform/Archive.h"
#include "platform/HeadlessWindow.h"
#include "platform/TextLimit.h"
#include "rows/EqExpr.h"

namespace {

// A row as the private clipboard format holds it: its image behind its length.
std::vector<uint8_t> ClipboardBlock(CEqExpr& row) {
    CArchive image;
    row.Serialize(image);
    CArchive out;
    out << static_cast<int32_t>(image.GetBuffer().size());
    out.Write(image.GetBuffer().data(), image.GetBuffer().size());
    return out.TakeBuffer();
}

struct Editor {
    Editor() {
        data.Reset();
        data.SetWindow(&wnd);
    }
    void Load(const std::string& text) {
        data.LoadText(text);
        data.SetWindow(&wnd);
    }
    std::string Row(int i) { return data.Rows()[static_cast<size_t>(i)]->PeekText(); }
    CHeadlessWindow wnd;
    CVexlorData data;
};

TEST(EditorText, GetTextJoinsRowsAndDropsEmptyOnes) {
    Editor e;
    EXPECT_EQ(e.data.GetText(), "");
    e.Load("a\n\nb");
    ASSERT_EQ(e.data.Rows().size(), 3u);
    EXPECT_EQ(e.data.GetText(), "a;\nb;");
    e.Load("a\n");
    EXPECT_EQ(e.data.Rows().size(), 1u); // trailing breaks make no rows
    e.Load("\n\na");
    EXPECT_EQ(e.data.GetText(), "a;");
}

TEST(EditorText, RowTextNormalisesStatementsAndComments) {
    Editor e;
    const std::pair<const char*, const char*> cases[] = {
        {"x  =  1 ;;", "x = 1;"},
        {"y = 2 -- comment  ", "y = 2; -- comment"},
        {";", ""},
        {"-- note", "-- note"},
        {" a -- b", "a; -- b"},
        {";;x", "x;"},
        {";  -- or", "-- or"}, // an empty statement leaves no blank before its comment
        {" ; -- x", "-- x"},
    };
    for (const auto& [in, out] : cases) {
        e.data.Reset();
        e.data.SetWindow(&e.wnd);
        CEqExpr* row = e.data.Rows()[0];
        for (const char* p = in; *p; ++p) {
            auto* s = new CEqSymbol;
            s->SetChar(*p);
            row->Append(s);
        }
        EXPECT_EQ(e.data.RowText(0), out) << in;
    }
    EXPECT_EQ(e.data.RowText(5), "");
    EXPECT_EQ(e.data.RowText(-1), "");
}

TEST(EditorText, LoadTextSplitsOnEveryKindOfBreak) {
    for (const char* text : {"a\r\nb", "a\nb", "a\n\rb", "a\rb"}) {
        Editor e;
        e.Load(text);
        ASSERT_EQ(e.data.Rows().size(), 2u) << text;
        EXPECT_EQ(e.Row(0), "a");
        EXPECT_EQ(e.Row(1), "b");
    }
    Editor e;
    e.Load("a\n\nb");
    EXPECT_EQ(e.data.Rows().size(), 3u);
    EXPECT_EQ(e.Row(1), "");
}

TEST(EditorText, SemicolonsEndStatementsOnlyAtLineEnds) {
    Editor e;
    e.Load("x = 1;\ny = 2;");
    ASSERT_EQ(e.data.Rows().size(), 2u);
    EXPECT_EQ(e.Row(0), "x = 1");
    EXPECT_EQ(e.Row(1), "y = 2");
    e.Load("x = 1; y = 2");
    ASSERT_EQ(e.data.Rows().size(), 1u);
    EXPECT_EQ(e.Row(0), "x = 1; y = 2");
    e.Load("a -- b;\nc");
    ASSERT_EQ(e.data.Rows().size(), 2u);
    EXPECT_EQ(e.Row(0), "a -- b;");
    e.Load("x;\r\n\r\ny;\r\n");
    ASSERT_EQ(e.data.Rows().size(), 3u);
    EXPECT_EQ(e.Row(2), "y");
}

TEST(EditorText, ControlCharactersAreKeptAndNothingAfterThemIsLost) {
    Editor e;
    std::string text("a\tb\nc\x01"
                     "d\ne\x00"
                     "f;\ng",
                     14);
    e.Load(text);
    ASSERT_EQ(e.data.Rows().size(), 4u);
    EXPECT_EQ(e.Row(0), "a b"); // a tab becomes a blank
    EXPECT_EQ(e.Row(1), "c\x01"
                        "d");
    EXPECT_EQ(e.Row(2), std::string("e\x00"
                                    "f",
                                    3));
    EXPECT_EQ(e.data.GetText(), std::string("a b;\nc\x01"
                                            "d;\ne\x00"
                                            "f;\ng;",
                                            17));
    e.Load("");
    ASSERT_EQ(e.data.Rows().size(), 1u);
    EXPECT_EQ(e.data.Rows()[0]->GetCount(), 1);
    EXPECT_EQ(e.data.Scanner().Class(), TextScanner::kEnd);
}

TEST(EditorText, CyrillicAndTheLetterYaSurvive) {
    Editor e;
    e.Load("\xFF = \xE0\xC1 -- \xEA\xEE\xEC\xEC\xE5\xED\xF2\xE0\xF0\xE8\xE9");
    EXPECT_EQ(e.data.GetText(), "\xFF = \xE0\xC1; -- \xEA\xEE\xEC\xEC\xE5\xED\xF2\xE0\xF0\xE8\xE9");
}

TEST(EditorSnapshot, RoundTripKeepsRowsAndCaret) {
    Editor e;
    e.Load("alpha\nbeta");
    e.data.UpdateCaret(true, false);
    e.data.SetCurRowIndex(1);
    e.data.SetSelection(e.data.Rows()[1], 1, 3);
    e.data.UpdateCaret(true, false);
    auto image = e.data.WriteSnapshot();
    e.Load("other");
    ASSERT_TRUE(e.data.ReadSnapshot(image));
    ASSERT_EQ(e.data.Rows().size(), 2u);
    EXPECT_EQ(e.Row(1), "beta");
    EXPECT_EQ(e.data.CurrentRow(), e.data.Rows()[1]);
    EXPECT_EQ(e.data.AnchorPos(), 1);
    EXPECT_EQ(e.data.CaretPos(), 3);
    EXPECT_EQ(CheckCaret(e.data), "");
}

TEST(EditorSnapshot, DamagedImagesChangeNothing) {
    Editor e;
    e.Load("x = a + b");
    auto image = e.data.WriteSnapshot();
    Editor other;
    other.Load("keep");
    for (size_t cut = 0; cut < image.size(); ++cut) {
        CVexlorData::Snapshot part(image.begin(), image.begin() + static_cast<long>(cut));
        EXPECT_FALSE(other.data.ReadSnapshot(part)) << cut;
    }
    EXPECT_EQ(other.data.GetText(), "keep;");
    EXPECT_EQ(CheckCaret(other.data), "");
}

// An image may claim any scroll offset; laid out and stored again, it
// reloads byte for byte with its caret where it was.
TEST(EditorSnapshot, FarScrolledImagesReloadUnchangedAfterLayout) {
    const size_t kScrollFromEnd = 68; // the state's tail: total, scroll, row, caret, ...
    for (int32_t scroll :
         {INT32_MIN, -kMaxCoordinate, -kMaxCoordinate / 2 - 7, kMaxCoordinate, INT32_MAX}) {
        for (size_t axis : {0u, 4u}) {
            SCOPED_TRACE(std::to_string(scroll) + (axis ? " down" : " across"));
            Editor e;
            e.Load("x = a + b" + std::string(2000, 'c') + "\n" + std::string(2000, '\n'));
            e.data.UpdateCaret(true, false);
            e.data.SetCaret(e.data.Rows()[0], 4);
            e.data.UpdateCaret(true, false);
            auto image = e.data.WriteSnapshot();
            std::memcpy(&image[image.size() - kScrollFromEnd + axis], &scroll, sizeof scroll);
            Editor other;
            ASSERT_TRUE(other.data.ReadSnapshot(image));
            other.data.UpdateCaret(true, false);
            auto laidOut = other.data.WriteSnapshot();
            Editor again;
            ASSERT_TRUE(again.data.ReadSnapshot(laidOut));
            EXPECT_EQ(again.data.WriteSnapshot(), laidOut);
            EXPECT_EQ(again.data.CaretPos(), 4);
        }
    }
}

// An atom of no known class keeps its stored size, but never less than a
// pixel each way: a flat one could not be found again by the caret it
// stands before, and the image would move the caret when reloaded.
TEST(EditorSnapshot, FlatUnknownAtomsKeepTheCaretBetweenThem) {
    for (SIZE stored : {SIZE{0, 0}, SIZE{300, 0}, SIZE{0, 300}}) {
        SCOPED_TRACE(std::to_string(stored.cx) + "x" + std::to_string(stored.cy));
        Editor e;
        e.Load("ab");
        for (int i = 0; i < 2; ++i) {
            auto* plain = new CEqAtom;
            plain->m_size = stored;
            e.data.Rows()[0]->InsertAt(plain, 1);
        }
        e.data.SetCaret(e.data.Rows()[0], 2); // between the two
        e.data.UpdateCaret(true, false);
        auto image = e.data.WriteSnapshot();
        Editor again;
        ASSERT_TRUE(again.data.ReadSnapshot(image));
        EXPECT_EQ(again.data.CaretPos(), 2);
        EXPECT_EQ(again.data.WriteSnapshot(), image);
    }
}

TEST(EditorCopy, CopyResolvesTheCaretIntoTheSameRow) {
    Editor e;
    e.Load("abc\ndef");
    e.data.SetCurRowIndex(1);
    e.data.SetCaret(e.data.Rows()[1], 2);
    e.data.UpdateCaret(true, false);
    CVexlorData copy(e.data);
    EXPECT_EQ(copy.CurrentRow(), copy.Rows()[1]);
    EXPECT_EQ(copy.CaretPos(), 2);
    EXPECT_FALSE(copy.IsModified());
    EXPECT_EQ(CheckCaret(copy), "");
}

TEST(EditorCopy, RestoredPositionsAreClampedIntoTheRowFound) {
    Editor e;
    e.Load("abcdef\nx");
    e.data.UpdateCaret(true, false);
    // The remembered caret rectangle points into the short second row while
    // the positions belong to a longer one.
    e.data.SetCurRowIndex(1);
    e.data.SetCaretBox(e.data.Rows()[1]->GetAt(0)->m_rect);
    e.data.MoveCaret(5, 6);
    CVexlorData copy(e.data);
    EXPECT_EQ(copy.CurrentRow(), copy.Rows()[1]);
    EXPECT_LE(copy.CaretPos(), 1);
    EXPECT_LE(copy.AnchorPos(), 1);
    EXPECT_EQ(CheckCaret(copy), "");
}

TEST(EditorClipboard, CopyAndPasteThroughThePrivateFormat) {
    Editor e;
    e.Load("a+b");
    e.data.SetSelection(e.data.Rows()[0], 0, 3);
    ASSERT_TRUE(e.data.Copy());
    EXPECT_TRUE(e.wnd.m_clipboard.HasPrivate());
    e.data.SetCaret(e.data.Rows()[0], 3);
    ASSERT_TRUE(e.data.Paste());
    EXPECT_EQ(e.Row(0), "a+ba+b");
    EXPECT_EQ(e.data.History().UndoSize(), 1u);
    EXPECT_TRUE(e.data.Undo());
    EXPECT_EQ(e.Row(0), "a+b");
    EXPECT_TRUE(e.data.Redo());
    EXPECT_EQ(e.Row(0), "a+ba+b");
    EXPECT_EQ(CheckCaret(e.data), "");
}

TEST(EditorClipboard, BlankSelectionLeavesTheClipboardAlone) {
    Editor e;
    e.Load("a   b");
    e.wnd.m_clipboard.SetText("old");
    e.data.SetSelection(e.data.Rows()[0], 1, 4);
    EXPECT_FALSE(e.data.Copy());
    EXPECT_FALSE(e.data.Cut());
    EXPECT_TRUE(e.wnd.m_clipboard.HasText());
    EXPECT_FALSE(e.data.IsModified());
}

TEST(EditorClipboard, TextPasteTakesTheFirstLineAndReplacesTheSelection) {
    Editor e;
    e.Load("xyz");
    e.wnd.m_clipboard.SetText("12;\n34");
    e.data.SetSelection(e.data.Rows()[0], 1, 2);
    ASSERT_TRUE(e.data.Paste());
    EXPECT_EQ(e.Row(0), "x12z");
    EXPECT_EQ(e.data.Rows().size(), 1u);
}

TEST(EditorClipboard, TextOverTheLimitPastesNothingAndSaysWhy) {
    Editor e;
    e.Load("q");
    e.wnd.m_clipboard.SetText(std::string(kMaxTextBytes + 1, 'a'));
    e.data.SetCaret(e.data.Rows()[0], 1);
    EXPECT_FALSE(e.data.Paste());
    EXPECT_EQ(e.Row(0), "q");
    EXPECT_FALSE(e.data.IsModified());
    EXPECT_NE(e.wnd.m_strStatus.find("16"), std::string::npos);
}

TEST(EditorClipboard, DamagedPrivateBlockPastesNothing) {
    Editor e;
    e.Load("q");
    e.wnd.m_clipboard.SetPrivate({0x10, 0, 0, 0, 1, 2, 3});
    e.data.SetCaret(e.data.Rows()[0], 1);
    EXPECT_FALSE(e.data.Paste());
    EXPECT_EQ(e.Row(0), "q");
    EXPECT_FALSE(e.data.IsModified());
}

// A private block holding the fraction of "a/b" with its geometry changed
// by lie, as another program could offer it.
std::vector<uint8_t> LyingFractionBlock(const std::function<void(CEqAtom&)>& lie) {
    Editor source;
    source.Load("a/b");
    source.data.SetSelection(source.data.Rows()[0], 0, 1);
    EXPECT_TRUE(source.data.Copy());
    std::vector<uint8_t> block;
    source.wnd.m_clipboard.GetPrivate(&block);
    CArchive in(block);
    int32_t length = 0;
    in >> length;
    CEqExpr row(&source.data);
    row.Serialize(in);
    EXPECT_TRUE(row.GetAt(0)->IsClass("CEqFraction"));
    lie(*row.GetAt(0));
    return ClipboardBlock(row);
}

void ForEachElement(CEqExpr& row, const std::function<void(CEqObject&)>& visit) {
    visit(row);
    for (int i = 0; i < row.GetCount(); ++i) {
        visit(*row.GetAt(i));
        for (int k = 0; k < row.GetAt(i)->GetRowCount(); ++k)
            ForEachElement(*row.GetAt(i)->GetRow(k), visit);
    }
}

TEST(EditorClipboard, BlocksThatLieAboutGeometryPasteAsSaneFormulas) {
    const int32_t huge = 0x7FFFFFF0;
    auto addPlainAtoms = [huge](CEqAtom& fraction) {
        for (int i = 0; i < 3; ++i) {
            auto* plain = new CEqAtom;
            plain->m_size = SIZE{huge, huge};
            plain->m_ptAnchor = POINT{huge, -huge};
            fraction.GetRow(0)->InsertAt(plain, 0);
        }
    };
    const struct {
        const char* lie;
        std::function<void(CEqAtom&)> apply;
        bool laidOutAsCopied; // every size is recomputed by layout
    } cases[] = {
        {"numerator 0x7FFFFFF0 wide", [huge](CEqAtom& f) { f.GetRow(0)->m_size.cx = huge; }, true},
        {"sizes and anchors at the ends of the range",
         [](CEqAtom& f) {
             f.m_size = SIZE{INT_MAX, INT_MIN};
             f.m_ptAnchor = POINT{INT_MIN, INT_MAX};
             f.GetRow(1)->m_size = SIZE{INT_MAX, INT_MAX};
         },
         true},
        {"rectangles at the ends of the range",
         [](CEqAtom& f) {
             f.m_rect = RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
             f.GetRow(0)->GetAt(0)->m_rect = RECT{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
         },
         true},
        // Atoms of no known class keep the size stored with them.
        {"unknown atoms near 2^31 in the numerator", addPlainAtoms, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lie);
        Editor e;
        e.Load("a/b");
        e.data.UpdateCaret(true, false);
        e.wnd.m_clipboard.SetPrivate(LyingFractionBlock(c.apply));
        e.data.SetCaret(e.data.Rows()[0], 1);
        ASSERT_TRUE(e.data.Paste());
        e.data.UpdateCaret(true, true);
        EXPECT_EQ(CheckCaret(e.data), "");

        CEqExpr& row = *e.data.Rows()[0];
        ASSERT_EQ(row.GetCount(), 3);
        ForEachElement(row, [&c](CEqObject& o) {
            // Compound atoms may exceed the bound by their own parts, never by more.
            EXPECT_LE(std::abs(o.m_size.cx), 4 * kMaxCoordinate);
            EXPECT_LE(std::abs(o.m_size.cy), 4 * kMaxCoordinate);
            for (int32_t side : {o.m_rect.left, o.m_rect.top, o.m_rect.right, o.m_rect.bottom})
                EXPECT_LE(std::abs(side), kMaxCoordinate);
            if (c.laidOutAsCopied) {
                EXPECT_EQ(RectWidth(o.m_rect), o.m_size.cx);
                EXPECT_EQ(RectHeight(o.m_rect), o.m_size.cy);
            }
        });
        if (c.laidOutAsCopied) {
            EXPECT_EQ(row.GetAt(1)->m_size, row.GetAt(0)->m_size);
            EXPECT_EQ(RectWidth(row.m_rect), 2 * RectWidth(row.GetAt(0)->m_rect) + 2);
        } else {
            const CEqAtom* plain = row.GetAt(1)->GetRow(0)->GetAt(0);
            EXPECT_EQ(plain->m_size, (SIZE{CEqAtom::kMaxPlainExtent, CEqAtom::kMaxPlainExtent}));
        }

        auto image = e.data.WriteSnapshot();
        Editor other;
        ASSERT_TRUE(other.data.ReadSnapshot(image));
        EXPECT_EQ(other.data.WriteSnapshot(), image);
        EXPECT_TRUE(e.data.Undo());
        EXPECT_EQ(e.data.GetText(), "a / b ;");
    }
}

// A private block of a row of symbols spelling text, as another program
// could offer it: no byte is changed on the way.
std::vector<uint8_t> RawSymbolsBlock(const std::string& text) {
    Editor source;
    CEqExpr row(&source.data);
    row.Clear();
    for (char c : text) {
        auto* symbol = new CEqSymbol;
        symbol->m_ch = c;
        row.Append(symbol);
    }
    return ClipboardBlock(row);
}

// "~" is the host's error marker: saved in a text, it would be read back as
// one and take the rest of its line. Typed, it types nothing; on every
// other way in it becomes a blank, so the saved text loads back whole.
TEST(EditorText, TheHostMarkerNeverReachesTheSavedText) {
    const struct {
        const char* way;
        std::function<void(Editor&)> enter;
        const char* saved;
    } cases[] = {
        {"typed",
         [](Editor& e) {
             for (char c : std::string("a~bc = d"))
                 e.data.OnChar(static_cast<uint8_t>(c));
         },
         "abc = d;"},
        {"text pasted",
         [](Editor& e) {
             e.wnd.m_clipboard.SetText("a~bc = d");
             EXPECT_TRUE(e.data.Paste());
         },
         "a bc = d;"},
        {"private block pasted",
         [](Editor& e) {
             e.wnd.m_clipboard.SetPrivate(RawSymbolsBlock("a~bc = d"));
             EXPECT_TRUE(e.data.Paste());
         },
         "a bc = d;"},
        {"row text set", [](Editor& e) { e.data.SetRowText(0, "a~bc = d~"); }, "a bc = d;"},
        {"file after its marker",
         [](Editor& e) { e.Load(MarkedText::Split("x~ wrong\na~bc = d; -- ~~").m_strText); },
         "x;\na bc = d; --"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        Editor e;
        e.Load("");
        c.enter(e);
        const std::string saved = e.data.GetText();
        EXPECT_EQ(saved, c.saved);
        const MarkedText reread = MarkedText::Split(saved);
        EXPECT_EQ(reread.m_nLine, -1);
        Editor back;
        back.Load(reread.m_strText);
        EXPECT_EQ(back.data.GetText(), saved);
    }
}

TEST(EditorUndo, EmptyStacksReturnFalse) {
    Editor e;
    EXPECT_FALSE(e.data.Undo());
    EXPECT_FALSE(e.data.Redo());
    EXPECT_EQ(e.data.Rows().size(), 1u);
}

TEST(EditorInvariant, FindsEveryKindOfDamage) {
    // Each case damages a loaded document one way; the check names it.
    const struct {
        void (*damage)(CVexlorData& data, std::unique_ptr<CEqExpr>& stray);
        const char* found;
    } cases[] = {
        {[](CVexlorData&, std::unique_ptr<CEqExpr>&) {}, ""},
        {[](CVexlorData& d, std::unique_ptr<CEqExpr>&) {
             d.Rows()[1]->GetAt(0)->m_pParent = d.Rows()[0];
         },
         "row 1: row[0]: parent is not the row"},
        {[](CVexlorData& d, std::unique_ptr<CEqExpr>&) {
             d.Rows()[0]->GetAt(2)->GetRow(0)->m_pOwnerAtom = nullptr;
         },
         "row 0: row[2].0: owner atom is not the atom"},
        {[](CVexlorData& d, std::unique_ptr<CEqExpr>&) {
             d.Rows()[0]->GetAt(1)->m_pOwner = nullptr;
         },
         "row 0: row[1]: owner differs"},
        {[](CVexlorData& d, std::unique_ptr<CEqExpr>&) {
             static_cast<CEqSymbol*>(d.Rows()[1]->GetAt(0))->m_ch = '~';
         },
         "row 1: row[0]: holds the host's error marker"},
        {[](CVexlorData& d, std::unique_ptr<CEqExpr>&) { d.MoveCaret(0, 99); },
         "caret out of range"},
        {[](CVexlorData& d, std::unique_ptr<CEqExpr>&) { d.MoveCaret(-1, 0); },
         "anchor out of range"},
        {[](CVexlorData& d, std::unique_ptr<CEqExpr>& stray) {
             stray = std::make_unique<CEqExpr>(&d);
             stray->Clear();
             d.SetCaret(stray.get(), 0);
         },
         "the current row is in no row of the document"},
    };
    for (const auto& c : cases) {
        Editor e;
        e.Load("a+(b)\nc");
        std::unique_ptr<CEqExpr> stray;
        c.damage(e.data, stray);
        EXPECT_EQ(e.data.CheckInvariant(), c.found) << c.found;
    }
}

} // namespace
