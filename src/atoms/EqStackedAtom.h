// Base of the atoms that show a numerator row over a denominator row with a
// bar on the axis between them: the fraction and the derivatives. It holds
// both rows; they store, compose, hit-test and move the caret alike; size,
// placement, drawing and text are each class's own. The rows are GetRow(0)
// and GetRow(1).
#pragma once

#include <memory>

#include "atoms/EqCompoundAtom.h"
#include "rows/EqExpr.h"

class CEqStackedAtom : public CEqCompoundAtom {
  public:
    // Takes both rows (a null row leaves its slot empty).
    void SetRows(CEqExpr* numerator, CEqExpr* denominator);
    CEqExpr* GetRow(int i) const override;

    // Rows other than the atom's own are declined, even with Shift held.
    bool LeaveChild(CEqExpr* row, UINT vk) override;
    int GetRowCount() const override { return 2; }

    std::unique_ptr<CEqExpr> m_pNumerator;
    std::unique_ptr<CEqExpr> m_pDenominator;

  protected:
    // Loading starts from two empty rows; editing hands rows over with SetRows.
    CEqStackedAtom();
    // Fills a fresh atom with a copy of this one: the base fields and deep
    // copies of both rows.
    std::unique_ptr<CEqAtom> CopyRowsInto(std::unique_ptr<CEqStackedAtom> copy) const;

    bool LeaveRow(CEqExpr* row, UINT vk, int i) override;
    // The bar on the axis, 2 pixels short of each side.
    void DrawBar() const;

  private:
    CEqExpr* Numerator() const { return GetRow(0); }
    CEqExpr* Denominator() const { return GetRow(1); }
    bool LeaveNumerator(int i, UINT vk);
    bool LeaveDenominator(int i, UINT vk);
};
