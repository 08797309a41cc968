// A square root over one inner row: a radical sign scaled to the content and an overline.
#pragma once

#include "atoms/EqCompoundAtom.h"

class CEqRoot : public CEqCompoundAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqRoot)

  public:
    // Loading starts from an empty inner row; editing hands one over with SetRow.
    CEqRoot();
    ~CEqRoot() override;
    CEqRoot(const CEqRoot&) = delete;
    CEqRoot& operator=(const CEqRoot&) = delete;

    void SetRow(CEqExpr* row);

    CEqAtom* Clone() const override;
    void CalcSize() override;
    void Redraw(int x, int y, int hAlign, int vAlign) override;
    void Draw() override;
    std::string ToText() override;
    int GetRowCount() const override { return 1; }
    CEqExpr* GetRow(int i) const override { return i == 0 ? m_pRow : nullptr; }

    CEqExpr* m_pRow = nullptr;

  private:
    void DrawSign(CDC* dc, SIZE m) const;
};
