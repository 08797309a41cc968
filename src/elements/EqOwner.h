// What a formula tree asks of the document that holds it: the caret and the
// selection, the undo step and the erasing run that deletion takes, the
// change mark, the area a move leaves to repaint, and the window. Formula
// code reaches its document only through this.
#pragma once

#include "platform/Geometry.h"

class CEqExpr;
class CEqWindow;

class CEqOwner {
  public:
    virtual ~CEqOwner() = default;

    // The caret at pos of row (clamped into it), without a selection;
    // returns the row's count, or count - 1 when pos had to be lowered.
    virtual int SetCaret(CEqExpr* row, int pos) = 0;
    // A selection from `from` to `to` in row, both clamped; returns as SetCaret.
    virtual int SetSelection(CEqExpr* row, int from, int to) = 0;
    // New anchor and caret in the current row, taken as they are.
    virtual void MoveCaret(int anchor, int caret) = 0;
    virtual CEqExpr* CurrentRow() const = 0;
    virtual int CaretPos() const = 0;
    virtual int AnchorPos() const = 0;

    // The present state becomes an undo step.
    virtual void PushUndo() = 0;
    // Closes any typing or erasing run: the next edit starts a new step.
    virtual void EndRun() = 0;
    // Whether an erasing run goes on at the caret.
    virtual bool ErasingGoesOn() const = 0;
    // Opens an erasing run at pos; each erasure then moves it by its offset.
    virtual void BeginErasing(int pos) = 0;
    virtual void MoveErasing(int offset) = 0;
    // The document changed and wants a new layout.
    virtual void MarkChanged() = 0;

    // The box an element left when it moved, to be painted over.
    virtual void SetInvalid(const RECT& r) = 0;
    virtual RECT Invalid() const = 0;
    // Measures the selection's box and keeps it as the one shown.
    virtual RECT GetSelectionRect() = 0;
    virtual CEqWindow* Window() const = 0;
};
