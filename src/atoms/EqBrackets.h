// A pair of parentheses around one inner row, drawn as two arcs as high as the content.
#pragma once

#include "atoms/EqCompoundAtom.h"

class CEqBrackets : public CEqCompoundAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqBrackets)

  public:
    // Loading starts from an empty inner row; editing hands one over with SetRow.
    CEqBrackets();
    ~CEqBrackets() override;
    CEqBrackets(const CEqBrackets&) = delete;
    CEqBrackets& operator=(const CEqBrackets&) = delete;

    void SetRow(CEqExpr* row);

    CEqAtom* Clone() const override;
    void CalcSize() override;
    void Redraw(int x, int y, int hAlign, int vAlign) override;
    void Draw() override;
    std::string ToText() override;
    int GetRowCount() const override { return 1; }
    CEqExpr* GetRow(int i) const override { return i == 0 ? m_pRow : nullptr; }

    CEqExpr* m_pRow = nullptr;
};
