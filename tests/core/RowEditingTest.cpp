// Row editing: typed characters, the Insert commands, Backspace and Delete
// with their undo steps, and dissolving compound atoms from a blank row.
#include <gtest/gtest.h>

#include <string>

#include "TreeCheck.h"
#include "atoms/EqBrackets.h"
#include "rows/TreeDump.h"

namespace {

// An editor whose first line is the row being edited; every step checks
// the tree and the caret and lays the line out again as the editor would.
class RowEditing : public ::testing::Test {
  protected:
    RowEditing() : d(*t.data) { d.Reset(); }

    CEqExpr* Top() const { return d.Rows()[0]; }
    CEqExpr* Cur() const { return d.CurrentRow(); }

    void Check() {
        EXPECT_EQ(CheckCaret(d), "");
        t.Layout(Top());
    }
    void Type(const std::string& text) {
        for (char c : text) {
            Cur()->InsertChar(static_cast<unsigned char>(c));
            Check();
        }
    }
    bool Key(UINT vk) {
        bool handled = Cur()->HandleKey(vk);
        Check();
        return handled;
    }
    template <class Command> int Run(Command command) {
        int formed = command(*Cur());
        Check();
        return formed;
    }
    void Select(int from, int to) { d.SetSelection(Cur(), from, to); }
    void Shift(bool down) {
        if (down)
            t.wnd->PressKey(VK_SHIFT);
        else
            t.wnd->ReleaseKey(VK_SHIFT);
    }

    std::string Dump() const { return TreeDump::Dump(*Top()); }
    std::string Caret() const { return TreeDump::CaretPath(*Top(), d); }
    size_t Steps() const { return d.History().UndoSize(); }

    TestEditor t;
    CVexlorData& d;
};

int Brackets(CEqExpr& r) {
    return r.InsertBrackets();
}
int Root(CEqExpr& r) {
    return r.InsertRoot();
}
int Derive(CEqExpr& r) {
    return r.InsertDerive();
}
int Derive2(CEqExpr& r) {
    return r.InsertDerive2();
}
int Fraction(CEqExpr& r) {
    return r.InsertFraction();
}
int LowIndex(CEqExpr& r) {
    return r.InsertIndex(0);
}
int HighIndex(CEqExpr& r) {
    return r.InsertIndex(1);
}
int BothIndexes(CEqExpr& r) {
    return r.InsertIndex(2);
}

// ---------------------------------------------------------------------------
// Typing

TEST_F(RowEditing, TypedCharactersGoInAtTheCaret) {
    Type("ac");
    d.SetCaret(Top(), 1);
    Type("b");
    EXPECT_EQ(Dump(), "abc");
    EXPECT_EQ(Caret(), "2");
}

TEST_F(RowEditing, TypingReplacesTheSelection) {
    Type("a+b+c");
    Select(4, 1);
    Type("x");
    EXPECT_EQ(Dump(), "axc");
    EXPECT_EQ(Caret(), "2");
}

TEST_F(RowEditing, SlashAfterALetterMakesAFractionWithTheCaretBelow) {
    Type("a");
    Type("/");
    EXPECT_EQ(Dump(), "F(a|)");
    EXPECT_EQ(Caret(), "0.1/0");
    Type("b");
    EXPECT_EQ(Dump(), "F(a|b)");
    EXPECT_EQ(Caret(), "0.1/1");
}

TEST_F(RowEditing, HighBytesArriveSignedOrUnsigned) {
    Cur()->InsertChar(0xE0);
    Cur()->InsertChar(-32); // the same byte as a signed char
    Cur()->InsertChar(-1);  // the letter 0xFF, never the end atom
    Check();
    EXPECT_EQ(Top()->PeekText(), "\xE0\xE0\xFF");
    EXPECT_EQ(Caret(), "3");
}

TEST_F(RowEditing, ControlAndOutOfRangeCharactersAreIgnored) {
    Type("a");
    for (int ch : {0, 9, 31, -129, 256, 1000, -224})
        EXPECT_EQ(Cur()->InsertChar(ch), 0) << ch;
    Check();
    EXPECT_EQ(Dump(), "a");
    EXPECT_EQ(Caret(), "1");
}

TEST_F(RowEditing, ARowWithoutTheCaretIsNotEdited) {
    Type("ab");
    CEqExpr* other = t.RowOf("xy");
    EXPECT_EQ(other->InsertChar('z'), 0);
    EXPECT_EQ(other->InsertFraction(), 0);
    EXPECT_EQ(other->InsertIndex(2), 0);
    EXPECT_FALSE(other->HandleKey(VK_BACK));
    EXPECT_EQ(TreeDump::Dump(*other), "xy");
    EXPECT_EQ(Caret(), "2");
    delete other;
}

// ---------------------------------------------------------------------------
// Brackets, root, derivatives

TEST_F(RowEditing, BracketsWithNothingSelectedTakeTheCaretInside) {
    Type("a");
    Run(Brackets);
    EXPECT_EQ(Dump(), "aB()");
    EXPECT_EQ(Caret(), "1.0/0");
}

TEST_F(RowEditing, BracketsAndRootWrapTheSelectionAndPutTheCaretAfter) {
    Type("a+b");
    Select(0, 3);
    Run(Brackets);
    EXPECT_EQ(Dump(), "B(a+b)");
    EXPECT_EQ(Caret(), "1");
    // A bracket atom selected on its own loses its brackets inside the root.
    Select(1, 0);
    Run(Root);
    EXPECT_EQ(Dump(), "R(a+b)");
    EXPECT_EQ(Caret(), "1");
}

TEST_F(RowEditing, DerivativeWithNothingSelected) {
    Run(Derive);
    EXPECT_EQ(Dump(), "D(|t)");
    EXPECT_EQ(Caret(), "0.0/0");
}

TEST_F(RowEditing, DerivativeOfASelection) {
    Type("x a+b");
    Select(2, 5);
    Run(Derive2);
    EXPECT_EQ(Dump(), "x D2(B(a+b)|t)");
    EXPECT_EQ(Caret(), "3");
    Select(0, 1);
    Run(Derive);
    EXPECT_EQ(Dump(), "D(x|t) D2(B(a+b)|t)");
}

// ---------------------------------------------------------------------------
// Fraction

TEST_F(RowEditing, FractionTakesTheOperandsAroundTheCaret) {
    Type("a b");
    d.SetCaret(Top(), 1);
    EXPECT_GE(Run(Fraction), 0);
    EXPECT_EQ(Dump(), "F(a|b)");
    EXPECT_EQ(Caret(), "1");
}

TEST_F(RowEditing, FractionStopsAtOperatorsAndSpaces) {
    Type("1+ab  cd-2");
    d.SetCaret(Top(), 5); // after "ab "
    Run(Fraction);
    EXPECT_EQ(Dump(), "1+F(ab|cd)-2");
    EXPECT_EQ(Caret(), "3");
}

TEST_F(RowEditing, EmptyFractionTakesTheCaretIntoTheNumerator) {
    Type("+");
    d.SetCaret(Top(), 0);
    Run(Fraction);
    EXPECT_EQ(Dump(), "F(|)+");
    EXPECT_EQ(Caret(), "0.0/0");
}

TEST_F(RowEditing, FractionFromARightwardSelection) {
    Type("x+1");
    Select(0, 3);
    Run(Fraction);
    EXPECT_EQ(Dump(), "F(x+1|)");
    EXPECT_EQ(Caret(), "0.1/0");
}

TEST_F(RowEditing, FractionFromALeftwardSelection) {
    Type("x+1");
    Select(3, 0);
    Run(Fraction);
    EXPECT_EQ(Dump(), "F(|x+1)");
    EXPECT_EQ(Caret(), "0.0/0");
}

TEST_F(RowEditing, LeftwardSelectionTakesItsNumeratorFromTheLeft) {
    Type("q a x+1");
    Select(7, 4);
    Run(Fraction);
    EXPECT_EQ(Dump(), "q F(a|x+1)");
    EXPECT_EQ(Caret(), "3");
}

TEST_F(RowEditing, RightwardSelectionTakesItsDenominatorFromTheRight) {
    Type("x+1 b");
    Select(0, 3);
    Run(Fraction);
    EXPECT_EQ(Dump(), "F(x+1|b)");
    EXPECT_EQ(Caret(), "1");
}

TEST_F(RowEditing, FractionTakesACompoundOperandWhole) {
    Type("f(x)");
    EXPECT_EQ(Dump(), "fB(x)");
    Run(Fraction);
    EXPECT_EQ(Dump(), "F(fB(x)|)");
    EXPECT_EQ(Caret(), "0.1/0");
}

// ---------------------------------------------------------------------------
// Indexes

TEST_F(RowEditing, BothIndexesAfterALetter) {
    Type("x");
    Run(BothIndexes);
    EXPECT_EQ(Dump(), "P(x||)");
    EXPECT_EQ(Caret(), "0.1/0");
}

TEST_F(RowEditing, BothIndexesWithBothOperandsWaitForTheHighIndex) {
    Type("x i");
    d.SetCaret(Top(), 1);
    Run(BothIndexes);
    EXPECT_EQ(Dump(), "P(x|i|)");
    EXPECT_EQ(Caret(), "0.2/0");
}

TEST_F(RowEditing, BothIndexesWithShiftHeldStillPutTheCaretInTheLowIndex) {
    Type("x");
    Shift(true);
    Run(BothIndexes);
    Shift(false);
    EXPECT_EQ(Dump(), "P(x||)");
    EXPECT_EQ(Caret(), "0.1/0");
}

TEST_F(RowEditing, IndexCaretFollowsTheBlankRows) {
    Run(HighIndex);
    EXPECT_EQ(Dump(), "H(|)");
    EXPECT_EQ(Caret(), "0.0/0");

    d.Reset();
    Type("y");
    Run(LowIndex);
    EXPECT_EQ(Dump(), "I(y|)");
    EXPECT_EQ(Caret(), "0.1/0");

    d.Reset();
    Type("y k");
    d.SetCaret(Top(), 1);
    Run(HighIndex);
    EXPECT_EQ(Dump(), "H(y|k)");
    EXPECT_EQ(Caret(), "1");
}

TEST_F(RowEditing, IndexBaseThatIsNotSimpleIsBracketed) {
    Type("a+b");
    Select(0, 3);
    Run(LowIndex);
    EXPECT_EQ(Dump(), "I(B(a+b)|)");
    EXPECT_EQ(Caret(), "0.1/0");
}

TEST_F(RowEditing, UnknownIndexKindChangesNothing) {
    Type("x");
    EXPECT_EQ(Cur()->InsertIndex(3), 0);
    EXPECT_EQ(Cur()->InsertIndex(-1), 0);
    Check();
    EXPECT_EQ(Dump(), "x");
    EXPECT_EQ(Caret(), "1");
}

// ---------------------------------------------------------------------------
// Navigation in a row

TEST_F(RowEditing, LeftAtTheStartOfATopLevelRowIsNotHandled) {
    Type("ab");
    d.SetCaret(Top(), 0);
    EXPECT_FALSE(Key(VK_LEFT));
    EXPECT_EQ(Caret(), "0");
}

TEST_F(RowEditing, ShiftLeftSelectsOverAtomsWithoutEnteringThem) {
    Type("a/b");
    d.SetCaret(Top(), 0);
    Type("c ");
    EXPECT_EQ(Dump(), "c F(a|b)");
    d.SetCaret(Top(), 3);
    Shift(true);
    EXPECT_TRUE(Key(VK_LEFT));
    EXPECT_EQ(Caret(), "3-2");
    EXPECT_TRUE(Key(VK_LEFT));
    EXPECT_TRUE(Key(VK_LEFT));
    EXPECT_EQ(Caret(), "3-0");
    EXPECT_FALSE(Key(VK_LEFT));
    Shift(false);
    // Without Shift, Left enters the fraction at the end of its denominator.
    d.SetCaret(Top(), 3);
    EXPECT_TRUE(Key(VK_LEFT));
    EXPECT_EQ(Caret(), "2.1/1");
}

// ---------------------------------------------------------------------------
// Deleting symbols and selections

TEST_F(RowEditing, BackspaceAfterBracketsSelectsThemThenDeletesThem) {
    Type("sin(x)");
    EXPECT_EQ(Dump(), "sinB(x)");
    size_t before = Steps();
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "sinB(x)");
    EXPECT_EQ(Caret(), "4-3");
    EXPECT_EQ(Steps(), before);
    d.SetChanged(false);
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "sin");
    EXPECT_EQ(Caret(), "3");
    EXPECT_EQ(Steps(), before + 1);
    EXPECT_TRUE(d.IsChanged());
    EXPECT_TRUE(d.Undo());
    EXPECT_EQ(Dump(), "sinB(x)");
}

TEST_F(RowEditing, DeleteBeforeACompoundAtomSelectsItForwards) {
    Type("(x)y");
    d.SetCaret(Top(), 0);
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(Caret(), "0-1");
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(Dump(), "y");
    EXPECT_EQ(Caret(), "0");
}

TEST_F(RowEditing, SuccessiveBackspacesMakeOneUndoStep) {
    Type("abcd");
    size_t before = Steps();
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "a");
    EXPECT_EQ(Steps(), before + 1);
    EXPECT_TRUE(d.IsChanged());
    EXPECT_TRUE(d.Undo());
    EXPECT_EQ(Dump(), "abcd");
}

TEST_F(RowEditing, MovingTheCaretStartsANewErasingStep) {
    Type("abcd");
    size_t before = Steps();
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_TRUE(Key(VK_LEFT));
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "ac");
    EXPECT_EQ(Steps(), before + 2);
}

TEST_F(RowEditing, ARunContinuesWhenTheCaretComesBack) {
    Type("abcd");
    size_t before = Steps();
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_TRUE(Key(VK_LEFT));
    EXPECT_TRUE(Key(VK_RIGHT));
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "ab");
    EXPECT_EQ(Steps(), before + 1);
}

TEST_F(RowEditing, SuccessiveDeletesMakeOneUndoStep) {
    Type("abcd");
    d.SetCaret(Top(), 1);
    size_t before = Steps();
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(Dump(), "ad");
    EXPECT_EQ(Caret(), "1");
    EXPECT_EQ(Steps(), before + 1);
    // The run looks at the row and the caret only: a Backspace where the
    // Deletes left the caret goes on with it.
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "d");
    EXPECT_EQ(Steps(), before + 1);
}

TEST_F(RowEditing, ACommandEndsTheErasingRun) {
    Type("ab");
    size_t before = Steps();
    EXPECT_TRUE(Key(VK_BACK));
    d.EndRun(); // what the editor does around every command
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Steps(), before + 2);
}

TEST_F(RowEditing, SelectionIsDeletedAsOneStep) {
    Type("a+b+c");
    Select(1, 4);
    size_t before = Steps();
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(Dump(), "ac");
    EXPECT_EQ(Caret(), "1");
    EXPECT_EQ(Steps(), before + 1);
}

TEST_F(RowEditing, ErasingCanFormAStructure) {
    Type("a* *b c");
    EXPECT_EQ(Dump(), "a* *b c");
    d.SetCaret(Top(), 3);
    EXPECT_TRUE(Key(VK_BACK)); // the stars meet: a power
    EXPECT_EQ(Dump(), "H(a|b) c");
    EXPECT_EQ(Caret(), "1");
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Caret(), "1-0");
}

TEST_F(RowEditing, EdgesOfATopLevelRowAreLeftToTheEditor) {
    EXPECT_FALSE(Key(VK_BACK));
    EXPECT_FALSE(Key(VK_DELETE));
    Type("ab");
    EXPECT_FALSE(Key(VK_DELETE));
    d.SetCaret(Top(), 0);
    EXPECT_FALSE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "ab");
    EXPECT_EQ(Steps(), 0u);
    EXPECT_FALSE(d.IsChanged());
}

// ---------------------------------------------------------------------------
// Dissolving from a blank row

TEST_F(RowEditing, BackspaceInAnEmptyDenominatorGivesBackTheNumerator) {
    Type("a/");
    size_t before = Steps();
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "a");
    EXPECT_EQ(Caret(), "1");
    EXPECT_EQ(Steps(), before + 1);
    EXPECT_TRUE(d.IsChanged());
    EXPECT_TRUE(d.Undo());
    EXPECT_EQ(Dump(), "F(a|)");
}

TEST_F(RowEditing, BackspaceInAnEmptyNumeratorSelectsTheFraction) {
    Type("b");
    d.SetCaret(Top(), 0);
    Type("/");
    EXPECT_EQ(Dump(), "F(|b)");
    EXPECT_EQ(Caret(), "0.0/0");
    size_t before = Steps();
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Caret(), "1-0");
    EXPECT_EQ(Steps(), before);
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "");
}

TEST_F(RowEditing, BlankFractionIsSelectedInTheDirectionOfTheKey) {
    Run(Fraction);
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(Caret(), "0-1");
    d.SetCaret(Top(), 1);
    EXPECT_TRUE(Key(VK_LEFT)); // into the empty denominator
    EXPECT_EQ(Caret(), "0.1/0");
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Caret(), "1-0");
    EXPECT_EQ(Dump(), "F(|)");
}

TEST_F(RowEditing, DeleteAtTheEndOfABlankDenominatorActsAsBackspace) {
    Type("a/  ");
    EXPECT_EQ(Dump(), "F(a|  )");
    size_t before = Steps();
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(Dump(), "F(a| )");
    EXPECT_EQ(Caret(), "0.1/1");
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(Dump(), "F(a|)");
    EXPECT_EQ(Caret(), "0.1/0");
    EXPECT_EQ(Steps(), before + 1);
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(Dump(), "a");
    EXPECT_EQ(Caret(), "1");
    EXPECT_EQ(Steps(), before + 2);
}

TEST_F(RowEditing, DeleteAtTheEndOfAFilledInnerRowIsNotHandled) {
    Type("a/b");
    EXPECT_EQ(Caret(), "0.1/1");
    EXPECT_FALSE(Key(VK_DELETE));
    d.SetCaret(Cur(), 0);
    EXPECT_FALSE(Key(VK_BACK)); // start of a row that is not blank
    EXPECT_EQ(Dump(), "F(a|b)");
}

TEST_F(RowEditing, DerivativeWithABlankVariableGivesBackItsFunction) {
    Type("u+v");
    Select(0, 3);
    Run(Derive);
    EXPECT_EQ(Dump(), "D(B(u+v)|t)");
    Key(VK_LEFT); // end of the variable
    EXPECT_EQ(Caret(), "0.1/1");
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "D(B(u+v)|)");
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "B(u+v)");
    EXPECT_EQ(Caret(), "1");
}

TEST_F(RowEditing, SecondDerivativeDissolvesLikeTheFirst) {
    Type("y");
    Select(0, 1);
    Run(Derive2);
    EXPECT_EQ(Dump(), "D2(y|t)");
    Key(VK_LEFT);
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_TRUE(Key(VK_DELETE)); // blank variable, Delete: anchor before
    EXPECT_EQ(Dump(), "y");
    EXPECT_EQ(Caret(), "1");

    d.Reset();
    Run(Derive2);
    Key(VK_RIGHT); // from the empty function down to the variable
    EXPECT_EQ(Caret(), "0.1/0");
    Key(VK_LEFT); // and back
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Caret(), "1-0");
    EXPECT_EQ(Dump(), "D2(|t)");
}

TEST_F(RowEditing, LowIndexWithABlankIndexGivesBackItsBase) {
    Type("x[]");
    EXPECT_EQ(Dump(), "I(x|)");
    EXPECT_EQ(Caret(), "0.1/0");
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "x");
    EXPECT_EQ(Caret(), "1");
}

TEST_F(RowEditing, BlankBaseOfAnIndexSelectsIt) {
    Run(HighIndex);
    Key(VK_RIGHT); // base to index
    Type("2");
    Key(VK_LEFT);
    Key(VK_LEFT); // back to the empty base
    EXPECT_EQ(Caret(), "0.0/0");
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(Caret(), "0-1");
    EXPECT_EQ(Dump(), "H(|2)");
}

TEST_F(RowEditing, DeleteInAnEmptyHighIndexLeavesALowIndex) {
    Type("x");
    Run(BothIndexes);
    Type("i");
    EXPECT_TRUE(Key(VK_RIGHT)); // low to high
    EXPECT_EQ(Caret(), "0.2/0");
    size_t before = Steps();
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(Dump(), "I(x|i)");
    EXPECT_EQ(Caret(), "0.1/1");
    EXPECT_EQ(Steps(), before + 1);
}

TEST_F(RowEditing, BackspaceInAnEmptyLowIndexLeavesAHighIndex) {
    Type("x");
    Run(BothIndexes);
    Key(VK_RIGHT);
    Type("2");
    Key(VK_LEFT);
    Key(VK_LEFT); // end of the empty low row
    EXPECT_EQ(Caret(), "0.1/0");
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "H(x|2)");
    EXPECT_EQ(Caret(), "0.1/1");
}

TEST_F(RowEditing, BlankBaseOfAPowerIndexSelectsIt) {
    Run(BothIndexes);
    EXPECT_EQ(Caret(), "0.0/0");
    Key(VK_RIGHT);
    Type("i");
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(Caret(), "0.0/0");
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Caret(), "1-0");
    EXPECT_EQ(Dump(), "P(|i|)");
}

TEST_F(RowEditing, EmptyBracketsAreSelectedFromInside) {
    Type("a");
    Run(Brackets);
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Caret(), "2-1");
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "a");
}

TEST_F(RowEditing, DissolvingInsideANestedRowStaysInThatRow) {
    Run(Brackets);
    Type("p/");
    EXPECT_EQ(Dump(), "B(F(p|))");
    EXPECT_TRUE(Key(VK_BACK));
    EXPECT_EQ(Dump(), "B(p)");
    EXPECT_EQ(Caret(), "0.0/1");
}

// ---------------------------------------------------------------------------
// Nesting limit

TEST_F(RowEditing, CommandsRefuseToNestBeyondWhatAnImageHolds) {
    // 255 bracket atoms one inside the other: the innermost row is on
    // level 256, the deepest an image may hold.
    for (int k = 0; k < 255; ++k)
        Run(Brackets);
    EXPECT_EQ(Caret().size(), std::string("0.0/").size() * 255 + 1);
    Type("x");
    CEqExpr* deepest = Cur();
    for (auto command :
         {Brackets, Root, Derive, Derive2, Fraction, LowIndex, HighIndex, BothIndexes}) {
        d.SetSelection(deepest, 0, 1);
        EXPECT_EQ(Run(command), 0);
        EXPECT_EQ(Cur(), deepest);
        EXPECT_EQ(TreeDump::Dump(*deepest), "x"); // nothing taken out
        EXPECT_EQ(Caret().substr(Caret().size() - 3), "0-1");
    }
    // The tree as it stands still makes an image that loads back.
    CVexlorData::Snapshot image = d.WriteSnapshot();
    EXPECT_TRUE(d.ReadSnapshot(image));
    EXPECT_EQ(CheckCaret(d), "");
}

} // namespace
