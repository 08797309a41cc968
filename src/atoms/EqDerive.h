// A first derivative in Leibniz form: bold italic "d" before the function
// row, a bar, and "d" before the variable row.
#pragma once

#include "elements/EqAtom.h"

class CEqDerive : public CEqAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqDerive)

  public:
    // Loading starts from two empty rows; editing uses SetRows.
    CEqDerive();
    ~CEqDerive() override;
    CEqDerive(const CEqDerive&) = delete;
    CEqDerive& operator=(const CEqDerive&) = delete;

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
};
