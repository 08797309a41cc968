// A base row with a low index at the bottom and a high index at the top,
// both in the small font: an array element raised to a power.
#pragma once

#include <memory>

#include "atoms/EqCompoundAtom.h"
#include "rows/EqExpr.h"

class CEqPowIndex : public CEqCompoundAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqPowIndex)

  public:
    // Loading starts from three empty rows; editing uses SetRows.
    CEqPowIndex();

    void SetRows(CEqExpr* base, CEqExpr* low, CEqExpr* high);

    // The low row, the high row, then the base row.
    int Compose() override;
    std::unique_ptr<CEqAtom> Clone() const override;
    // A row that shows under the point first; then the low row, the base
    // row and the high row, each clamping the point.
    bool HitTest(POINT* pt) override;
    void CalcSize() override;
    void Redraw(int x, int y, int hAlign, int vAlign) override;
    void Draw() override;
    std::string ToText() override;
    int GetRowCount() const override { return 3; }
    CEqExpr* GetRow(int i) const override;

    std::unique_ptr<CEqExpr> m_pBase;
    std::unique_ptr<CEqExpr> m_pLow;
    std::unique_ptr<CEqExpr> m_pHigh;

  private:
    bool LeaveRow(CEqExpr* row, UINT vk, int i) override;
    bool LeaveBase(UINT vk, int i);
    bool LeaveLow(UINT vk, int i);
    bool LeaveHigh(UINT vk, int i);
};
