// A square root over one inner row: a radical sign scaled to the content and an overline.
#pragma once

#include <memory>

#include "atoms/EqSingleRowAtom.h"

class CEqRoot : public CEqSingleRowAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqRoot)

  public:
    CEqRoot() = default;

    std::unique_ptr<CEqAtom> Clone() const override;
    void CalcSize() override;
    void Redraw(int x, int y, int hAlign, int vAlign) override;
    void Draw() override;
    std::string ToText() override;

  private:
    void DrawSign(CDC* dc, SIZE m) const;
};
