// The editor data's keys across rows, typing runs, undo steps, the history
// memory and the depth limit, driven through the batch editor's key frames.
#include <gtest/gtest.h>

#include "TreeCheck.h"
#include "app/BatchEditor.h"
#include "app/KeyScript.h"
#include "editor/Accelerators.h"
#include "editor/EditCommands.h"
#include "editor/EditingKeys.h"
#include "platform/Archive.h"
#include "rows/EqExpr.h"
#include "rows/TreeDump.h"

namespace {

struct Session {
    explicit Session(const std::string& text = "") { editor.Install(text); }
    void Keys(const std::string& script) {
        std::vector<KeyEvent> events;
        std::string error;
        ASSERT_TRUE(KeyScript::Parse(script, &events, &error)) << error;
        for (const KeyEvent& e : events) {
            editor.Deliver(e);
            ASSERT_EQ(CheckCaret(editor.Data()), "") << script;
        }
    }
    std::string Text() { return editor.Data().GetText(); }
    std::string Tree(int row = 0) {
        return TreeDump::Dump(*editor.Data().Rows()[static_cast<size_t>(row)]);
    }
    CVexlorData& Data() { return editor.Data(); }
    BatchEditor editor;
};

TEST(EditorTyping, StructuresFormWhileTyping) {
    const std::pair<const char*, const char*> cases[] = {
        {"a/b", "F(a|b)"},
        {"x**2", "H(x|2)"},
        {"(a+b)", "B(a+b)"},
        {"sqrt(x)", "R(x)"},
    };
    for (const auto& [keys, tree] : cases) {
        Session s;
        s.Keys(keys);
        EXPECT_EQ(s.Tree(), tree) << keys;
    }
}

TEST(EditorTyping, IdentifierRunsShareOneUndoStep) {
    Session s;
    s.Keys("abc+d");
    EXPECT_EQ(s.Data().History().UndoSize(), 2u); // "abc" and "+d"
    s.Keys("<C-z>");
    EXPECT_EQ(s.Text(), "abc;");
    s.Keys("<C-z>");
    EXPECT_EQ(s.Text(), "");
    s.Keys("<C-y><C-y>");
    EXPECT_EQ(s.Text(), "abc+d;");
}

TEST(EditorTyping, MovingTheCaretStartsANewRun) {
    Session s;
    s.Keys("ab<Left>c");
    EXPECT_EQ(s.Data().History().UndoSize(), 2u);
    s.Keys("<A-BS>");
    EXPECT_EQ(s.Text(), "ab;");
}

TEST(EditorTyping, ARunContinuesWhereItLeftOffEvenAfterAWalk) {
    Session s;
    s.Keys("ab<Left><Right>c");
    EXPECT_EQ(s.Data().History().UndoSize(), 1u);
    s.Keys("<A-BS>");
    EXPECT_EQ(s.Text(), "");
}

TEST(EditorTyping, ControlCharactersAreNotTyped) {
    Session s("x");
    s.Keys("<End><C-v><Tab><Esc>~"); // "~", the host's marker, counts as one
    EXPECT_EQ(s.Text(), "x;");
    EXPECT_FALSE(s.Data().IsModified());
}

TEST(EditorRows, EnterSplitsAndBackspaceJoins) {
    Session s("abcd");
    s.Keys("<Right><Right><Enter>");
    ASSERT_EQ(s.Data().Rows().size(), 2u);
    EXPECT_EQ(s.Text(), "ab;\ncd;");
    EXPECT_EQ(s.Data().CurRowIndex(), 1);
    EXPECT_EQ(s.Data().CaretPos(), 0);
    s.Keys("<BS>");
    ASSERT_EQ(s.Data().Rows().size(), 1u);
    EXPECT_EQ(s.Text(), "abcd;");
    EXPECT_EQ(s.Data().CaretPos(), 2); // at the seam
    s.Keys("<Enter><Left><Del>");
    EXPECT_EQ(s.Text(), "abcd;");
    s.Keys("<C-z>");
    EXPECT_EQ(s.Text(), "ab;\ncd;");
    s.Keys("<C-z><C-z>");
    EXPECT_EQ(s.Text(), "ab;\ncd;"); // back before the first join
}

TEST(EditorRows, BackspaceAtTheVeryStartAndDeleteAtTheVeryEndDoNothing) {
    Session s("a\nb");
    s.Keys("<BS>");
    s.Keys("<PageDown><End><Del>");
    EXPECT_EQ(s.Text(), "a;\nb;");
    EXPECT_FALSE(s.Data().IsModified());
}

TEST(EditorRows, LeftAndRightCrossRows) {
    Session s("ab\ncd");
    s.Keys("<Left>");
    EXPECT_EQ(s.Data().CurRowIndex(), 0);
    s.Keys("<End><Right>");
    EXPECT_EQ(s.Data().CurRowIndex(), 1);
    EXPECT_EQ(s.Data().CaretPos(), 0);
    s.Keys("<Left>");
    EXPECT_EQ(s.Data().CurRowIndex(), 0);
    EXPECT_EQ(s.Data().CaretPos(), 2);
}

TEST(EditorRows, UpAndDownClimbOutOfAtomsIntoOtherRows) {
    Session s("x\na/b\ny");
    s.Keys("<Down>");
    EXPECT_EQ(s.Data().CurRowIndex(), 1);
    s.Keys("<Right>"); // into the numerator
    EXPECT_NE(s.Data().CurrentRow(), s.Data().Rows()[1]);
    s.Keys("<Down>"); // numerator to denominator
    s.Keys("<Down>"); // out of the fraction: next row
    EXPECT_EQ(s.Data().CurRowIndex(), 2);
    EXPECT_EQ(s.Data().CurrentRow(), s.Data().Rows()[2]);
    s.Keys("<Up><Up>");
    EXPECT_EQ(s.Data().CurRowIndex(), 0);
    s.Keys("<PageUp>");
    EXPECT_EQ(s.Data().CurRowIndex(), 0);
    EXPECT_EQ(s.Data().Scroll().y, 0);
}

TEST(EditorRows, PageDownInTheLastRowScrollsToTheBottom) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "x" + std::to_string(i) + "\n";
    Session s(text);
    for (int i = 0; i < 39; ++i)
        s.Keys("<PageDown>");
    EXPECT_EQ(s.Data().CurRowIndex(), 39);
    s.Keys("<PageDown>");
    EXPECT_EQ(s.Data().Scroll().y, s.Data().TotalSize().cy - 600 + 1);
    // The caret row is inside the client area after scrolling.
    RECT caret = s.Data().CaretBox();
    EXPECT_GE(caret.top, 0);
    EXPECT_LE(caret.bottom, 600);
}

TEST(EditorCommands, InsertCommandsThroughShortcutsAndAccelerators) {
    Session s("a");
    s.Keys("<End><C-f>");
    EXPECT_EQ(s.Tree(), "F(a|)");
    s.Keys("b<C-z><C-z>");
    EXPECT_EQ(s.Text(), "a;");
    s.Keys("<C-e>"); // second derivative, through the accelerator route
    EXPECT_EQ(s.Tree(), "aD2(|t)");
    EXPECT_EQ(s.Data().History().UndoSize(), 1u);
}

TEST(EditorCommands, KeysReachTheCommandsAsInTheWindow) {
    // Each key against the same text: the window's route decides, with the
    // exact modifiers, whether a command runs.
    const struct {
        const char* keys;
        const char* tree;
    } cases[] = {
        {"<C-b>", "aB()"},
        {"<C-A-b>", "aB()"}, // the editor takes Control with Alt too
        {"<C-S-b>", "aB()"},
        {"<C-e>", "aD2(|t)"},
        {"<C-S-e>", "a"},
        {"<C-A-e>", "a"}, // Control+E has no other combination
        {"x<A-BS>", "a"},
        {"x<A-S-BS>", "ax"},
        {"x<C-A-BS>", "a"},            // Backspace is an editing key with any modifiers
        {"<C-s><A-s><A-w><A-x>", "a"}, // the frame's own commands: nothing here
        {"<C-r>", "aR()"},
        {"<C-w>", "P(a||)"},
    };
    for (const auto& c : cases) {
        Session s("a");
        s.Keys(std::string("<End>") + c.keys);
        EXPECT_EQ(s.Tree(), c.tree) << c.keys;
    }
}

TEST(EditorCommands, EveryCommandHasOneAccelerator) {
    for (const EditCommands::Command& command : EditCommands::All()) {
        unsigned vk = static_cast<unsigned>(command.letter);
        // A command of the menu alone has no key at all.
        const int expected = command.letter != 0 ? command.id : 0;
        EXPECT_EQ(Accelerators::Find(vk, false, true, false), expected) << command.letter;
        EXPECT_EQ(Accelerators::Find(vk, true, true, false), 0) << command.letter;
        EXPECT_EQ(EditingKeys::GoToEditor(vk, false, true, false), command.editorKey)
            << command.letter;
    }
}

TEST(EditorCommands, CutPasteUndoUndo) {
    Session s("a+b");
    s.Keys("<S-End><C-x>");
    EXPECT_EQ(s.Text(), "");
    s.Keys("<S-Ins>");
    EXPECT_EQ(s.Text(), "a+b;");
    s.Keys("<C-z>");
    EXPECT_EQ(s.Text(), "");
    s.Keys("<C-z>");
    EXPECT_EQ(s.Text(), "a+b;");
}

// Writing the text trims the blanks of derivative rows; a caret that stood
// after them comes back into its row, and typing goes on from there.
TEST(EditorText, WritingTheTextKeepsTheCaretInItsRow) {
    Session s("y = b");
    s.Keys("<End><C-e>a ");
    EXPECT_EQ(s.Text(), "y = b d2( a ) / dt ;");
    EXPECT_EQ(CheckCaret(s.Data()), "");
    s.Keys("<End>c");
    EXPECT_EQ(s.Text(), "y = b d2( ac ) / dt ;");
}

// The text Save writes is what GetText gives, and leaves the trees as they
// are; GetText itself trims blanks inside atoms.
TEST(EditorText, SavedTextLeavesTheTreesAlone) {
    const char* const scripts[] = {
        "y = b<C-e>a ", "y = <C-d> x <Right> t ", "a/ b <Right>+ c", "sqrt( x )<Left><Left> ",
        "(  p  )",      "x1 = 2;  -- c\n\n;;z",
    };
    for (const char* script : scripts) {
        Session s;
        s.Keys(script);
        CVexlorData::Snapshot before = s.Data().WriteSnapshot();
        std::string saved = s.Data().SavedText();
        EXPECT_EQ(s.Data().WriteSnapshot(), before) << script;
        EXPECT_EQ(saved, s.Text()) << script;
    }
}

TEST(EditorHistory, StepsHoldOnlyWhatChanged) {
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "y" + std::to_string(i) + " = a" + std::to_string(i) + "/b + sqrt(c);\n";
    Session s(text);
    s.Keys("<C-End>");
    for (int i = 0; i < 199; ++i)
        s.Keys("<PageDown>");
    s.Keys("<End>");
    s.Keys("+"); // every "+" is an undo step of its own
    size_t oneStep = s.Data().HistoryBytes();
    for (int i = 1; i < 50; ++i)
        s.Keys("+");
    ASSERT_EQ(s.Data().History().UndoSize(), 50u);
    size_t image = s.Data().WriteSnapshot().size();
    CArchive lastRow;
    s.Data().Rows().back()->Serialize(lastRow);
    size_t rowBytes = lastRow.GetBuffer().size();
    // Each step holds only the edited row and the editor state.
    EXPECT_LT(oneStep, rowBytes + 300);
    EXPECT_LT(s.Data().HistoryBytes(), 50 * (rowBytes + 300));
    EXPECT_LT(s.Data().HistoryBytes(), image);
    // Steps under the last hold their differences from the step above.
    EXPECT_LT(s.Data().HistoryBytes(), 2 * rowBytes + 50 * 800);
    s.Keys("<C-z><C-z><C-z>");
    EXPECT_EQ(s.Data().RowText(199),
              "y199 = a199 / b + sqrt( c )+++++++++++++++++++++++++++++++++++++++++++++++;");
    for (int i = 0; i < 47; ++i)
        s.Keys("<C-z>");
    EXPECT_EQ(s.Data().RowText(199), "y199 = a199 / b + sqrt( c );");
    for (int i = 0; i < 50; ++i)
        s.Keys("<C-y>");
    EXPECT_EQ(s.Data().RowText(199), "y199 = a199 / b + sqrt( c )" + std::string(50, '+') + ";");
    EXPECT_LT(s.Data().HistoryBytes(), 2 * rowBytes + 50 * 800);
}

TEST(EditorHistory, ScrollingDoesNotCopyEveryRow) {
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "w" + std::to_string(i) + " = a/b\n";
    Session s(text);
    for (int i = 0; i < 59; ++i)
        s.Keys("<PageDown>");
    s.Keys("<End>");
    for (int i = 0; i < 100; ++i)
        s.Keys("+"); // the row grows past the window: every key scrolls sideways
    EXPECT_GT(s.Data().Scroll().x, 0);
    CArchive lastRow;
    s.Data().Rows().back()->Serialize(lastRow);
    size_t image = s.Data().WriteSnapshot().size();
    EXPECT_LT(s.Data().HistoryBytes(), image + 100 * (lastRow.GetBuffer().size() + 200));
    // Undo brings back the geometry of the step, scroll included.
    s.Keys("<C-z>");
    EXPECT_EQ(s.Data().RowText(59), "w59 = a / b " + std::string(99, '+') + ";");
    EXPECT_EQ(CheckCaret(s.Data()), "");
}

TEST(EditorDepth, EditsThatNestTooDeepAreRefused) {
    Session s;
    for (int i = 0; i < CArchive::kMaxDepth - 1; ++i)
        s.Keys("<C-b>");
    EXPECT_EQ(CVexlorData::Depth(*s.Data().Rows()[0]), CArchive::kMaxDepth);
    size_t steps = s.Data().History().UndoSize();
    s.Keys("<C-b>"); // one level more than an image can hold
    EXPECT_EQ(CVexlorData::Depth(*s.Data().Rows()[0]), CArchive::kMaxDepth);
    EXPECT_EQ(s.Data().History().UndoSize(), steps);
    s.Keys("<C-z>"); // the history still works
    EXPECT_EQ(CVexlorData::Depth(*s.Data().Rows()[0]), CArchive::kMaxDepth - 1);
}

TEST(EditorDepth, CommandsCountOnlyWhatTheyWrap) {
    // A row already as deep as an image holds: a command wrapping the plain
    // "b" at its end must act as typing does, one wrapping the deep part
    // must be refused.
    const int n = CArchive::kMaxDepth - 1;
    const std::string deep = "y = " + std::string(n, '(') + "a" + std::string(n, ')') + " + b";
    Session command(deep);
    command.Keys("<End><C-f>2");
    Session typed(deep);
    typed.Keys("<End>/2");
    EXPECT_EQ(command.Text(), typed.Text());
    EXPECT_EQ(command.Tree(), typed.Tree());
    EXPECT_EQ(CVexlorData::Depth(*command.Data().Rows()[0]), CArchive::kMaxDepth);
    // The whole row, or the bracket left of " + b", would go one level too deep.
    Session refused(deep);
    const std::string before = refused.Tree();
    refused.Keys("<End><S-Home><C-b><C-f><End><Left><Left><Left><Left><C-f><C-w>");
    EXPECT_FALSE(refused.Data().History().CanUndo());
    EXPECT_EQ(refused.Tree(), before);
}

TEST(EditorInstall, MarkerSelectsTheRowAndShowsTheMessage) {
    Session s("a = 1;\nb = ~ \xCF\xEB\xEE\xF5\xEE\nc = 3;");
    EXPECT_EQ(s.Data().CurRowIndex(), 1);
    EXPECT_EQ(s.Data().CurrentRow(), s.Data().Rows()[1]);
    EXPECT_EQ(s.Data().AnchorPos(), 0);
    EXPECT_EQ(s.Data().CaretPos(), s.Data().Rows()[1]->GetCount() - 1);
    EXPECT_EQ(s.editor.Window().m_strStatus,
              "\xC2\xFB\xF0\xE0\xE6\xE5\xED\xE8\xE5 2: \xCF\xEB\xEE\xF5\xEE");
    EXPECT_TRUE(s.editor.Window().m_bStatusError);
    EXPECT_FALSE(s.Data().IsModified());
}

TEST(EditorInstall, MarkerBeyondTheRowsStillShowsTheMessage) {
    Session s("a\n\n\n~x");
    EXPECT_EQ(s.Data().Rows().size(), 1u); // trailing breaks make no rows
    EXPECT_EQ(s.Data().CurRowIndex(), 0);
    EXPECT_EQ(s.editor.Window().m_strStatus, "\xC2\xFB\xF0\xE0\xE6\xE5\xED\xE8\xE5 4: ");
}

TEST(EditorInstall, NoMarkerNoMessageCaretAtStart) {
    Session s("q = 1;\nr = 2;");
    EXPECT_EQ(s.editor.Window().m_strStatus, "");
    EXPECT_EQ(s.Data().CurRowIndex(), 0);
    EXPECT_EQ(s.Data().CaretPos(), 0);
    EXPECT_EQ(s.Data().AnchorPos(), 0);
}

} // namespace
