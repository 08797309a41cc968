// A numerator row over a denominator row, with a bar on the axis.
#pragma once

#include "elements/EqAtom.h"

class CEqFraction : public CEqAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqFraction)

  public:
    // Loading starts from two empty rows; editing hands rows over with SetRows.
    CEqFraction();
    ~CEqFraction() override;
    CEqFraction(const CEqFraction&) = delete;
    CEqFraction& operator=(const CEqFraction&) = delete;

    void SetRows(CEqExpr* numerator, CEqExpr* denominator);

    void Serialize(CArchive& ar) override;
    void SetOwner(CVexlorData* owner) override;
    int Compose() override;
    CEqAtom* Clone() const override;
    bool HitTest(POINT* pt) override;
    bool HitTestRange(POINT* from, POINT* to) override;
    bool LeaveChild(CEqExpr* row, UINT vk) override;
    bool EnterFrom(UINT vk) override;
    void CalcSize() override;
    void Redraw(int x, int y, int hAlign, int vAlign) override;
    void Draw() override;
    std::string ToText() override;
    bool IsBlank() const override;
    int GetRowCount() const override { return 2; }
    CEqExpr* GetRow(int i) const override;

    CEqExpr* m_pNumerator = nullptr;
    CEqExpr* m_pDenominator = nullptr;

  private:
    // Key handling at the edge of one row; i is the atom's index in its parent.
    bool LeaveNumerator(int i, UINT vk);
    bool LeaveDenominator(int i, UINT vk);
    std::string NumeratorText();
    std::string DenominatorText();
};
