// Base of the atoms that hold rows of their own. Storage, owner, composing,
// hit tests, the blank test and the keys that enter and leave the atom work
// on the rows the class reports through GetRowCount and GetRow, in that
// order. A class that asks its rows in another order, stores a field of its
// own or moves the caret between its rows overrides that step; size,
// placement, drawing and text are every class's own.
#pragma once

#include <string>
#include <vector>

#include "elements/EqAtom.h"

class CEqCompoundAtom : public CEqAtom {
  public:
    // The base record, then the rows.
    void Serialize(CArchive& ar) override;
    // Stores the owner and passes it on to every row.
    void SetOwner(CEqOwner* owner) override;
    // The sum of the rows' Compose.
    int Compose() override;
    // A row whose rectangle holds the point is asked first; then the rows
    // in turn, each clamping the point into itself. True when one of them
    // placed the caret.
    bool HitTest(POINT* pt) override;
    // The same for a drag, a row holding both points first.
    bool HitTestRange(POINT* from, POINT* to) override;
    // With Shift held the whole atom is selected; otherwise LeaveRow decides.
    bool LeaveChild(CEqExpr* row, UINT vk) override;
    // From the right into the end of the last row, from the left into the
    // start of the first row.
    bool EnterFrom(UINT vk) override;
    // Every row blank.
    bool IsBlank() const override;

  protected:
    CEqCompoundAtom() = default;

    // Offers the point, as it is, to the first of rows (in that order)
    // whose rectangle holds it. True when that row placed the caret; the
    // point is left unchanged otherwise.
    static bool HitRowHolding(const std::vector<CEqExpr*>& rows, POINT* pt);
    // The rows there are, in order.
    std::vector<CEqExpr*> RowList() const;

    // Stores the rows in order, or loads them: owners first, then each row's
    // record, then the owner atoms.
    void SerializeRows(CArchive& ar);
    // An arrow key at the edge of row, Shift not held; i is the atom's index
    // in its parent row. By default Left and Right step out of the atom and
    // Up and Down travel on through the parent row, as in a single-row atom.
    virtual bool LeaveRow(CEqExpr* row, UINT vk, int i);
    // The caret before the end atom of row.
    void CaretToEnd(CEqExpr* row);
    // The row's text in the frame of the brackets atom: "( ? )" when blank, a
    // lone bracket atom's text as it is, anything else put in brackets.
    static std::string BracketedText(CEqExpr* row);

  private:
    // Selects the whole atom in its parent row, the caret before it for Left
    // and Up, after it for any other key.
    void SelectWhole(int i, UINT vk);
};
