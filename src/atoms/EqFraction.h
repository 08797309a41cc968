// A numerator row over a denominator row, with a bar on the axis.
#pragma once

#include <memory>

#include "atoms/EqStackedAtom.h"

class CEqFraction : public CEqStackedAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqFraction)

  public:
    CEqFraction() = default;

    std::unique_ptr<CEqAtom> Clone() const override;
    void CalcSize() override;
    void Redraw(int x, int y, int hAlign, int vAlign) override;
    void Draw() override;
    std::string ToText() override;

  private:
    std::string NumeratorText();
    std::string DenominatorText();
};
