// Steps shared by the row's editing commands: where the caret stands in the
// row, new symbols, taking the operands around the caret out of the row,
// and the nesting limit that keeps every tree storable.
#pragma once

class CEqExpr;
class CEqSymbol;

class RowEditor {
  public:
    // Whether row holds its owner's caret (the only row that may be edited).
    static bool HoldsCaret(const CEqExpr& row);
    // The owner's caret position, clamped into the row.
    static int CaretPos(const CEqExpr& row);
    // A symbol with the row's owner holding c.
    static CEqSymbol* NewSymbol(const CEqExpr& row, char c);

    // Fills first and second (two new empty rows) for a fraction or an
    // index: a selection made rightwards goes to first, one made leftwards
    // to second, and it is deleted; a blank first then takes the operand
    // left of the caret, a blank second the operand right of it. Whatever
    // is taken leaves the row; the caret stays where the new atom belongs.
    static void TakeOperands(CEqExpr& row, CEqExpr& first, CEqExpr& second);

    // Whether content of row may go `levels` rows deeper without the tree
    // nesting deeper than an archive image may hold (such a tree could not
    // be restored by undo).
    static bool HasRoomToNest(const CEqExpr& row, int levels);

  private:
    static void TakeSelection(CEqExpr& row, CEqExpr& first, CEqExpr& second);
    static void TakeLeftOperand(CEqExpr& row, CEqExpr& first);
    static void TakeRightOperand(CEqExpr& row, CEqExpr& second);
    // 1 for a top-level row, 2 for a row of an atom in it, ...
    static int RowLevel(const CEqExpr& row);
    // Rows on the deepest branch below and including row.
    static int RowDepth(const CEqExpr& row);
};
