// A second derivative: the first derivative's shape with a small raised "2"
// after the numerator's "d" and after the whole denominator. It is stored,
// navigated and hit-tested like the first one; an image differs only in the
// class name.
#pragma once

#include <memory>

#include "atoms/EqDerive.h"

class CEqDerive2 : public CEqDerive {
    VEXLOR_DECLARE_DYNCREATE(CEqDerive2)

  public:
    CEqDerive2() = default;

    std::unique_ptr<CEqAtom> Clone() const override;
    void CalcSize() override;
    void Redraw(int x, int y, int hAlign, int vAlign) override;
    std::string ToText() override;

  protected:
    void DrawLetters(CDC* dc, SIZE m) override;

  private:
    // S, the M box of the small font (selected for the measurement only).
    SIZE MeasureS() const;
    // Whether the numerator is tall enough to leave room above for the "2".
    bool IsTallNumerator(SIZE m, SIZE s) const;
    // k, how far the rows move sideways to make room for the "2"s.
    static int Shift(SIZE m, SIZE s);
    POINT NumeratorLetter(SIZE m, SIZE s) const;
    POINT DenominatorLetter(SIZE m, SIZE s) const;
};
