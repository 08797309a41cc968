#include "atoms/EqFraction.h"

#include <algorithm>

#include "atoms/EqBrackets.h"
#include "atoms/EqDerive.h"
#include "atoms/EqDerive2.h"
#include "rows/EqExpr.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqFraction)

std::unique_ptr<CEqAtom> CEqFraction::Clone() const {
    return CopyRowsInto(std::make_unique<CEqFraction>());
}

// The bar lies M.cy/6 below the numerator; the rows keep the current font.
void CEqFraction::CalcSize() {
    m_pNumerator->CalcSize();
    m_pDenominator->CalcSize();
    SIZE m = MeasureM();
    const SIZE& num = m_pNumerator->m_size;
    const SIZE& den = m_pDenominator->m_size;
    m_size.cx = std::max(num.cx, den.cx) + m.cx;
    m_size.cy = num.cy + den.cy + m.cy / 3;
    m_ptAnchor = POINT{m_size.cx / 2, num.cy + m.cy / 6};
}

// Both rows centred on the anchor x, M.cy/6 above and below the bar.
void CEqFraction::Redraw(int x, int y, int hAlign, int vAlign) {
    if (!CEqObject::Redraw(x, y, hAlign, vAlign))
        EraseInvalid();
    SIZE m = MeasureM();
    m_pNumerator->Redraw(x + m_ptAnchor.x, y + m_ptAnchor.y - m.cy / 6, 0, 4);
    m_pDenominator->Redraw(x + m_ptAnchor.x, y + m_ptAnchor.y + m.cy / 6, 0, 3);
}

void CEqFraction::Draw() {
    if (!IsVisible())
        return;
    m_pNumerator->Draw();
    m_pDenominator->Draw();
    DrawBar();
}

// Trims both rows (the tree changes), then writes numerator " / " denominator.
std::string CEqFraction::ToText() {
    m_pNumerator->Trim();
    m_pDenominator->Trim();
    std::string numerator = NumeratorText();
    return numerator + " / " + DenominatorText();
}

// A simple numerator is written bare after a blank (a fraction or
// derivative there needs no brackets: division associates to the left).
std::string CEqFraction::NumeratorText() {
    CEqExpr* row = m_pNumerator.get();
    if (row->IsBlank())
        return "( ? )";
    if (!row->IsSimple())
        return "( " + row->ToText(false) + " )";
    if (row->GetAt(0)->Is<CEqBrackets>())
        return row->ToText(false);
    return row->ToText(false).insert(0, 1, ' ');
}

// A simple denominator is written bare before a blank, except a fraction or
// derivative, which must be bracketed to keep its grouping.
std::string CEqFraction::DenominatorText() {
    CEqExpr* row = m_pDenominator.get();
    if (row->IsBlank())
        return "( ? )";
    const CEqAtom* first = row->GetAt(0);
    bool grouped = first->Is<CEqDerive>() || first->Is<CEqDerive2>() || first->Is<CEqFraction>();
    if (!row->IsSimple() || grouped)
        return "( " + row->ToText(false) + " )";
    if (first->Is<CEqBrackets>())
        return row->ToText(false);
    return row->ToText(false) + " ";
}
