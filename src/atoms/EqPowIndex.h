// A base row with a low index at the bottom and a high index at the top,
// both in the small font: an array element raised to a power.
#pragma once

#include "elements/EqAtom.h"

class CEqPowIndex : public CEqAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqPowIndex)

  public:
    // Loading starts from three empty rows; editing uses SetRows.
    CEqPowIndex();
    ~CEqPowIndex() override;
    CEqPowIndex(const CEqPowIndex&) = delete;
    CEqPowIndex& operator=(const CEqPowIndex&) = delete;

    void SetRows(CEqExpr* base, CEqExpr* low, CEqExpr* high);

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
    int GetRowCount() const override { return 3; }
    CEqExpr* GetRow(int i) const override;

    CEqExpr* m_pBase = nullptr;
    CEqExpr* m_pLow = nullptr;
    CEqExpr* m_pHigh = nullptr;

  private:
    bool LeaveBase(UINT vk, int i);
    bool LeaveLow(UINT vk, int i);
    bool LeaveHigh(UINT vk, int i);
    void CaretToEnd(CEqExpr* row);
};
