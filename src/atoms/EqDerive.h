// A first derivative in Leibniz form: bold italic "d" before the function
// row, a bar, and "d" before the variable row.
#pragma once

#include <memory>

#include "atoms/EqStackedAtom.h"

class CFont;

class CEqDerive : public CEqStackedAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqDerive)

  public:
    CEqDerive() = default;

    std::unique_ptr<CEqAtom> Clone() const override;
    void CalcSize() override;
    void Redraw(int x, int y, int hAlign, int vAlign) override;
    void Draw() override;
    std::string ToText() override;

  protected:
    // W3, the room for the "d": one and a half M widths.
    static int LetterWidth(SIZE m);
    // Selects the bold italic font of the current size; returns the font it replaced.
    CFont* SelectBoldItalic() const;
    // The letters before the rows, drawn with the bold italic font and
    // bottom-aligned text selected; m is the M box of the rows' font.
    virtual void DrawLetters(CDC* dc, SIZE m);
    // Clears the strip of a row's old height when that row moved.
    void EraseMovedBands(const RECT& oldNum, const RECT& oldDen) const;

  private:
    std::string VariableText();
};
