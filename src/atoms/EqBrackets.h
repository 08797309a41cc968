// A pair of parentheses around one inner row, drawn as two arcs as high as the content.
#pragma once

#include <memory>

#include "atoms/EqSingleRowAtom.h"

class CEqBrackets : public CEqSingleRowAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqBrackets)

  public:
    CEqBrackets() = default;

    std::unique_ptr<CEqAtom> Clone() const override;
    void CalcSize() override;
    void Redraw(int x, int y, int hAlign, int vAlign) override;
    void Draw() override;
    std::string ToText() override;
};
