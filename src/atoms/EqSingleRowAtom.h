// Base of the atoms around one inner row: brackets and the square root. It
// holds the row; size, placement, drawing and text are each class's own.
#pragma once

#include <memory>

#include "atoms/EqCompoundAtom.h"
#include "rows/EqExpr.h"

class CEqSingleRowAtom : public CEqCompoundAtom {
  public:
    // Takes row as the inner row (null leaves the slot empty).
    void SetRow(CEqExpr* row);
    int GetRowCount() const override { return 1; }
    CEqExpr* GetRow(int i) const override { return i == 0 ? m_pRow.get() : nullptr; }

    std::unique_ptr<CEqExpr> m_pRow;

  protected:
    // Loading starts from an empty inner row; editing hands one over with SetRow.
    CEqSingleRowAtom();
    // Fills a fresh atom with a copy of this one: the base fields and a deep
    // copy of the row.
    std::unique_ptr<CEqAtom> CopyRowInto(std::unique_ptr<CEqSingleRowAtom> copy) const;
};
