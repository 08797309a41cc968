// A numerator row over a denominator row, with a bar on the axis.
#pragma once

#include "atoms/EqStackedAtom.h"

class CEqFraction : public CEqStackedAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqFraction)

  public:
    // Loading starts from two empty rows; editing hands rows over with SetRows.
    CEqFraction();
    ~CEqFraction() override;
    CEqFraction(const CEqFraction&) = delete;
    CEqFraction& operator=(const CEqFraction&) = delete;

    void SetRows(CEqExpr* numerator, CEqExpr* denominator);

    CEqAtom* Clone() const override;
    void CalcSize() override;
    void Redraw(int x, int y, int hAlign, int vAlign) override;
    void Draw() override;
    std::string ToText() override;
    CEqExpr* GetRow(int i) const override;

    CEqExpr* m_pNumerator = nullptr;
    CEqExpr* m_pDenominator = nullptr;

  private:
    std::string NumeratorText();
    std::string DenominatorText();
};
