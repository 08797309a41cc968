// Base of the atoms that show a numerator row over a denominator row with a
// bar on the axis between them: the fraction and the derivatives. They store,
// compose, hit-test and move the caret alike; size, placement, drawing and
// text are each class's own. The rows are GetRow(0) and GetRow(1).
#pragma once

#include "atoms/EqCompoundAtom.h"

class CEqStackedAtom : public CEqCompoundAtom {
  public:
    // Rows other than the atom's own are declined, even with Shift held.
    bool LeaveChild(CEqExpr* row, UINT vk) override;
    int GetRowCount() const override { return 2; }

  protected:
    CEqStackedAtom() = default;

    bool LeaveRow(CEqExpr* row, UINT vk, int i) override;
    // The bar on the axis, 2 pixels short of each side.
    void DrawBar() const;

  private:
    CEqExpr* Numerator() const { return GetRow(0); }
    CEqExpr* Denominator() const { return GetRow(1); }
    bool LeaveNumerator(int i, UINT vk);
    bool LeaveDenominator(int i, UINT vk);
};
