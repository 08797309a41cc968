#include "atoms/EqDerive.h"

#include <algorithm>

#include "atoms/EqBrackets.h"
#include "atoms/EqIndex.h"
#include "platform/DC.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqDerive)

std::unique_ptr<CEqAtom> CEqDerive::Clone() const {
    return CopyRowsInto(std::make_unique<CEqDerive>());
}

// Room for the "d" in front of the wider row; the bar lies M.cy/6 below
// the numerator.
void CEqDerive::CalcSize() {
    m_pNumerator->CalcSize();
    m_pDenominator->CalcSize();
    SIZE m = MeasureM();
    const SIZE& num = m_pNumerator->m_size;
    const SIZE& den = m_pDenominator->m_size;
    m_size.cx = m.cx + LetterWidth(m) + std::max(num.cx, den.cx);
    m_size.cy = num.cy + den.cy + m.cy / 3;
    m_ptAnchor = POINT{m_size.cx / 2, num.cy + m.cy / 6};
}

// Both rows centred W3/2 right of the atom's centre, leaving the "d" room.
void CEqDerive::Redraw(int x, int y, int hAlign, int vAlign) {
    SIZE m = MeasureM();
    if (!CEqObject::Redraw(x, y, hAlign, vAlign))
        EraseInvalid();
    RECT oldNum = m_pNumerator->m_rect;
    RECT oldDen = m_pDenominator->m_rect;
    int cx = x + m_ptAnchor.x + LetterWidth(m) / 2;
    m_pNumerator->Redraw(cx, y + m_ptAnchor.y - m.cy / 6, 0, 4);
    m_pDenominator->Redraw(cx, y + m_ptAnchor.y + m.cy / 6, 0, 3);
    EraseMovedBands(oldNum, oldDen);
}

void CEqDerive::Draw() {
    if (!IsVisible())
        return;
    m_pNumerator->Draw();
    m_pDenominator->Draw();
    CDC* dc = DC();
    SIZE m = MeasureM();
    CFont* previous = SelectBoldItalic();
    unsigned align = dc->SetTextAlign(TA_BOTTOM);
    DrawLetters(dc, m);
    dc->SetTextAlign(align);
    dc->SelectObject(previous);
    DrawBar();
}

// Each "d" ends W3 left of its row, centred on the row's axis.
void CEqDerive::DrawLetters(CDC* dc, SIZE m) {
    int w3 = LetterWidth(m);
    const CEqExpr& num = *m_pNumerator;
    const CEqExpr& den = *m_pDenominator;
    int centre = m_rect.left + m_ptAnchor.x;
    dc->TextOut(centre - (num.m_size.cx + w3) / 2, m_rect.top + num.m_ptAnchor.y + m.cy / 2, "d");
    dc->TextOut(centre - (den.m_size.cx + w3) / 2,
                m_rect.bottom - den.m_size.cy + den.m_ptAnchor.y + m.cy / 2, "d");
}

// Trims both rows (the tree changes), then writes " d" function " / d" variable.
std::string CEqDerive::ToText() {
    m_pNumerator->Trim();
    m_pDenominator->Trim();
    // The differentiated expression is always in brackets.
    std::string function = BracketedText(m_pNumerator.get());
    return " d" + function + " / d" + VariableText();
}

int CEqDerive::LetterWidth(SIZE m) {
    return (3 * m.cx) / 2;
}

// The bold italic font of the current size: the small one inside an index.
CFont* CEqDerive::SelectBoldItalic() const {
    CEqWindow* wnd = Window();
    CDC* dc = wnd->m_pDC;
    CFont* previous = dc->SelectObject(&wnd->m_fontBoldItalic);
    if (previous == &wnd->m_fontSmall)
        dc->SelectObject(&wnd->m_fontSmallBoldItalic);
    return previous;
}

// When a row moved, the strip of its old height at the atom's top (or
// bottom) is cleared, since rows do not erase themselves.
void CEqDerive::EraseMovedBands(const RECT& oldNum, const RECT& oldDen) const {
    CDC* dc = DC();
    if (!dc)
        return;
    if (!EqualRect(oldNum, m_pNumerator->m_rect)) {
        RECT band{m_rect.left, m_rect.top, m_rect.right, m_rect.top + RectHeight(oldNum)};
        dc->FillSolidRect(band, dc->GetBkColor());
    }
    if (!EqualRect(oldDen, m_pDenominator->m_rect)) {
        RECT band{m_rect.left, m_rect.bottom - RectHeight(oldDen), m_rect.right, m_rect.bottom};
        dc->FillSolidRect(band, dc->GetBkColor());
    }
}

// A simple variable is written bare and followed by a blank; one other than
// "t" also gets a blank between it and the "d".
std::string CEqDerive::VariableText() {
    CEqExpr* row = m_pDenominator.get();
    if (row->IsBlank())
        return "( ? )";
    if (!CEqIndex::IsBareOperand(row))
        return "( " + row->ToText(false) + " )";
    std::string text = row->ToText(false);
    if (!row->GetAt(0)->Is<CEqBrackets>() && text != "t")
        text = " " + text;
    return text + " ";
}
