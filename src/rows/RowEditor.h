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

    // Whether what a command wraps into a new atom of row keeps the tree
    // within the depth an archive image may hold (a deeper tree could not
    // be restored by undo): the selection, or with `operands` what
    // TakeOperands takes, with `wrap` more rows round it (the brackets a
    // derivative or an index may add). Only what is wrapped counts, never
    // the rest of the row.
    static bool HasRoomToWrap(const CEqExpr& row, bool operands, int wrap);

  private:
    static void TakeSelection(CEqExpr& row, CEqExpr& first, CEqExpr& second);
    static void TakeLeftOperand(CEqExpr& row, CEqExpr& first);
    static void TakeRightOperand(CEqExpr& row, CEqExpr& second);
    // The atoms [*from, *to) that a command wraps: the selection, or with
    // `operands` the selection and the operand beyond its far end, or the
    // operands on both sides of the caret.
    static void WrappedSpan(const CEqExpr& row, bool operands, int* from, int* to);
};
